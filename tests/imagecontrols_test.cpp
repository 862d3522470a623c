#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include <QColor>
#include <QHelpEvent>
#include <QPainter>

#include "colormatrix.h"
#include "languagetable.h"
#include "numberedresources.h"
#include "picturebutton.h"
#include "qtsupport/qtprinters.h"
#include "qtsupport/runevents.h"
#include "qtsupport/widgetinput.h"
#include "richtooltip.h"

namespace tavrel {
namespace {

// The test's own pictures (tests/pictures): 9001 plain orange and 9002 plain
// blue, 4 x 4; 9003 is 48 x 48, red above and green below its middle.
constexpr auto kOrangePicture = static_cast<Picture>(9001);
constexpr auto kBluePicture = static_cast<Picture>(9002);
constexpr auto kRedOverGreenPicture = static_cast<Picture>(9003);
// No bitmap of that number exists.
constexpr auto kMissingBitmap = static_cast<Bitmap>(9099);
const QColor kOrange(255, 128, 0);
const QColor kBlue(0, 64, 255);

QColor Centre(const QImage& image) {
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST(ColorMatrixTest, HoverBrightensAndGreyscaleWeighsTheChannelsKeepingAlpha) {
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(255, 128, 0, 255));
    picture.setPixel(1, 0, qRgba(10, 200, 100, 128));

    const QImage hover = ApplyColorMatrix(picture, kHoverMatrix);
    // x 1.05 + 0.05 of full scale, clamped: 128 -> 147.15, 0 -> 12.75.
    EXPECT_EQ(hover.pixel(0, 0), qRgba(255, 147, 13, 255));
    EXPECT_EQ(hover.pixel(1, 0), qRgba(23, 223, 118, 128));

    const QImage grey = ApplyColorMatrix(picture, kGreyscaleMatrix);
    // 0.3 x 255 + 0.59 x 128 + 0.11 x 0 = 152.02.
    EXPECT_EQ(grey.pixel(0, 0), qRgba(152, 152, 152, 255));
    EXPECT_EQ(grey.pixel(1, 0), qRgba(132, 132, 132, 128));
}

class PictureButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        button.resize(40, 40);
        button.LoadStdImage(kOrangePicture);
        button.LoadAltImage(kBluePicture);
        QObject::connect(&button, &QAbstractButton::clicked, &button, [this] { ++clicks; });
    }

    // On screen, so that a press draws the button at once as the window system does.
    void ShowButton() {
        button.show();
        ASSERT_TRUE(test::RunEventsUntil([&] { return button.Current().has_value(); }, 2000));
    }

    QColor Shown() { return Centre(test::RenderWidget(button)); }

    PictureButton button;
    int clicks = 0;
    const QPoint inside{20, 20};
    const QPoint outside{60, 20};
};

TEST_F(PictureButtonTest, AToggleButtonFlipsOnceOnEachClick) {
    button.EnableToggle();
    ASSERT_TRUE(button.IsToggle());
    ShowButton();

    test::Click(button, inside);
    EXPECT_TRUE(button.ShowAlt());
    EXPECT_EQ(Shown(), kBlue);
    test::Click(button, inside);
    EXPECT_FALSE(button.ShowAlt());
    EXPECT_EQ(Shown(), kOrange);

    // Leaving and coming back while held draws it pressed twice: still one flip.
    test::Press(button, inside);
    test::DragTo(button, outside);
    test::DragTo(button, inside);
    test::Release(button, inside);
    EXPECT_TRUE(button.ShowAlt());
    EXPECT_EQ(clicks, 3);
}

// The mute button's owner reads the state in its clicked slot: every click
// must have flipped it by then, drawn or not.
TEST_F(PictureButtonTest, AClickFromCodeOrWhileHiddenFlipsTheStateBeforeTheOwnerHears) {
    button.EnableToggle();
    std::vector<bool> seen;
    QObject::connect(&button, &QAbstractButton::clicked, &button,
                     [&] { seen.push_back(button.ShowAlt()); });
    button.click();
    EXPECT_TRUE(button.ShowAlt());
    test::Click(button, inside);
    EXPECT_FALSE(button.ShowAlt());
    EXPECT_FALSE(button.Current().has_value()) << "hidden: never drawn";

    ShowButton();
    button.click();
    EXPECT_TRUE(button.ShowAlt());
    EXPECT_EQ(Shown(), kBlue);
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
}

TEST_F(PictureButtonTest, APressLetGoOutsideIsNoClickAndKeepsThePicture) {
    button.EnableToggle();
    ShowButton();
    test::Press(button, inside);
    EXPECT_EQ(Shown(), kBlue) << "the pressed draw already shows the other picture";
    test::DragTo(button, outside);
    test::Release(button, outside);
    EXPECT_FALSE(button.ShowAlt());
    EXPECT_EQ(Shown(), kOrange);
    EXPECT_EQ(clicks, 0);
}

TEST_F(PictureButtonTest, WithoutAnAlternatePictureThereIsNoToggle) {
    PictureButton plain;
    plain.resize(40, 40);
    plain.LoadStdImage(kOrangePicture);
    plain.EnableToggle();
    EXPECT_FALSE(plain.IsToggle());
    plain.show();
    ASSERT_TRUE(test::RunEventsUntil([&] { return plain.Current().has_value(); }, 2000));
    test::Click(plain, inside);
    EXPECT_FALSE(plain.ShowAlt());
    // Even asked for, the alternate look falls back to the one picture there is.
    plain.SetLook(true, false);
    EXPECT_EQ(Centre(test::RenderWidget(plain)), kOrange);
}

TEST_F(PictureButtonTest, AQuickSecondClickPressesTheButtonAgain) {
    ShowButton();
    test::Click(button, inside);
    test::SendMouse(button, QEvent::MouseButtonDblClick, inside);
    test::Release(button, inside);
    EXPECT_EQ(clicks, 2);
}

TEST_F(PictureButtonTest, RestingOnTheButtonBrightensItAndLeavingRestoresIt) {
    ShowButton();
    test::Hover(button, inside);
    ASSERT_TRUE(test::RunEventsUntil([&] { return button.IsHovering(); }, 1000));
    EXPECT_EQ(Shown(), QColor(255, 147, 13));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.IsHovering());
    EXPECT_EQ(Shown(), kOrange);
}

TEST_F(PictureButtonTest, SetLookShowsTheAlternateOrTheGreyscalePicture) {
    button.SetLook(true, false);
    EXPECT_EQ(Shown(), kBlue);
    EXPECT_EQ(button.Current(), PictureButton::Look::AltNormal);
    button.SetLook(false, true);
    EXPECT_EQ(Shown(), QColor(152, 152, 152));
    button.SetLook(false, false);
    EXPECT_EQ(Shown(), kOrange);
}

TEST(PictureButtonPictureTest, APictureIsSqueezedToTheButtonInEveryLookAndPressedMovesItOnePixel) {
    PictureButton button;
    button.resize(48, 36);
    button.LoadStdImage(kRedOverGreenPicture);
    button.LoadAltImage(kRedOverGreenPicture);
    const QColor red(255, 0, 0);
    const QColor green(0, 255, 0);

    struct Case {
        bool alternate;
        bool greyed;
        bool pressed;
    };
    for (const Case c : {Case{false, false, false}, Case{true, false, false},
                         Case{false, false, true}, Case{true, false, true}}) {
        button.SetLook(c.alternate, c.greyed);
        button.setDown(c.pressed);
        const QImage shown = test::RenderWidget(button);
        const int shift = c.pressed ? 1 : 0;
        // The middle of a 36-pixel button is row 18.
        EXPECT_EQ(shown.pixelColor(24, 16 + shift), red) << c.alternate << c.pressed;
        EXPECT_EQ(shown.pixelColor(24, 19 + shift), green) << c.alternate << c.pressed;
        EXPECT_EQ(shown.pixelColor(24, 35), green);
        EXPECT_EQ(qAlpha(shown.pixel(0, 0)), c.pressed ? 0 : 255) << "uncovered corner";
    }
    button.setDown(false);
    button.SetLook(false, true);
    const QImage grey = test::RenderWidget(button);
    EXPECT_EQ(grey.pixelColor(24, 16), QColor(77, 77, 77));
    EXPECT_EQ(grey.pixelColor(24, 19), QColor(150, 150, 150));
}

TEST(PictureButtonPictureTest, ANewSizeOrANewPictureIsPreparedAnew) {
    PictureButton button;
    button.resize(48, 48);
    button.LoadStdImage(kRedOverGreenPicture);
    EXPECT_EQ(test::RenderWidget(button).pixelColor(24, 22), QColor(255, 0, 0));
    // The layout gives it another size after its first paint.
    button.resize(48, 36);
    EXPECT_EQ(test::RenderWidget(button).pixelColor(24, 22), QColor(0, 255, 0));
    button.LoadStdImage(kOrangePicture);
    EXPECT_EQ(test::RenderWidget(button).pixelColor(24, 22), kOrange);
}

TEST(PictureButtonPictureTest, AMissingPictureDrawsNothing) {
    PictureButton button;
    button.resize(20, 20);
    constexpr auto kMissingPicture = static_cast<Picture>(424242);
    EXPECT_FALSE(button.LoadStdImage(kMissingPicture));
    const QImage shown = test::RenderWidget(button);
    EXPECT_EQ(qAlpha(shown.pixel(10, 10)), 0);
}

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override { tooltip.InitTooltip(&owner); }

    // The tooltip of a control, as the window system asks for it.
    void AskForTip(QWidget& control) {
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), control.mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(&control, &help);
    }

    QWidget owner;
    QWidget play{&owner};
    QWidget stop{&owner};
    RichToolTip tooltip;
    const ToolEntry checkMark{std::nullopt, Bitmap::CheckMark};
};

TEST_F(ToolTipTest, RegisteringAgainAfterALanguageChangeLeavesOneRegistrationWithTheNewLabel) {
    for (const QString& label : {QStringLiteral("Play"), QStringLiteral("再生")}) {
        tooltip.RemoveAllTools();
        tooltip.AddTool(&play, label, checkMark);
        tooltip.AddTool(&stop, label + u'!');
    }
    EXPECT_EQ(tooltip.ToolCount(&play), 1);
    EXPECT_EQ(tooltip.ToolLabel(&play), QStringLiteral("再生"));
    EXPECT_EQ(tooltip.ToolCount(&stop), 1);

    tooltip.DelTool(&stop);
    EXPECT_EQ(tooltip.ToolCount(&stop), 0);
    EXPECT_EQ(tooltip.ToolCount(&play), 1);
}

TEST_F(ToolTipTest, RemovingAllToolsTakesAreasWithToolIdsOfTheirOwnToo) {
    tooltip.AddTool(&play, QStringLiteral("left"), {}, QRect(0, 0, 5, 5), 1);
    tooltip.AddTool(&play, QStringLiteral("right"), {}, QRect(5, 0, 5, 5), 2);
    tooltip.AddTool(&stop, QStringLiteral("Stop"));
    tooltip.RemoveAllTools();
    EXPECT_EQ(tooltip.ToolCount(&play), 0);
    EXPECT_EQ(tooltip.ToolCount(&stop), 0);
    // Nor does the tooltip still listen to the control.
    AskForTip(play);
    EXPECT_FALSE(tooltip.isVisible());
}

TEST_F(ToolTipTest, ShowingTakesTheControlsEntryForDescriptionAndIcon) {
    tooltip.AddTool(&play, QStringLiteral("Play/Pause video"),
                    {StringId::PlayPauseTip, Bitmap::CheckMark});
    tooltip.AddTool(&stop, QStringLiteral("Stop"));

    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), play.mapToGlobal(QPoint(2, 2)));
    EXPECT_TRUE(QApplication::sendEvent(&play, &help));
    EXPECT_TRUE(tooltip.isVisible());
    EXPECT_EQ(tooltip.CurrentTool(), &play);
    EXPECT_FALSE(tooltip.Description().isEmpty());
    EXPECT_EQ(tooltip.Description(), LoadUiString(StringId::PlayPauseTip));
    EXPECT_EQ(tooltip.GetIconSize(), QSize(32, 32));

    // The icon is the check mark drawn at the rectangle's top-left, unscaled.
    QImage canvas(40, 40, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        EXPECT_TRUE(tooltip.OnDrawIcon(painter, QRect(4, 4, 32, 32)));
    }
    const QImage icon = LoadBitmap(Bitmap::CheckMark).convertToFormat(QImage::Format_ARGB32);
    // (13, 24) is the corner of the check mark's stroke.
    ASSERT_EQ(qAlpha(icon.pixel(13, 24)), 255);
    EXPECT_EQ(canvas.pixel(4 + 13, 4 + 24), icon.pixel(13, 24));

    // A control without an entry has no icon and leaves the description as
    // it is; an entry without a description empties it.
    AskForTip(stop);
    EXPECT_EQ(tooltip.CurrentTool(), &stop);
    EXPECT_EQ(tooltip.Description(), LoadUiString(StringId::PlayPauseTip));
    QPainter painter(&canvas);
    EXPECT_FALSE(tooltip.OnDrawIcon(painter, QRect(4, 4, 32, 32)));
    tooltip.AddTool(&owner, QStringLiteral("Window"), ToolEntry{});
    AskForTip(owner);
    EXPECT_EQ(tooltip.CurrentTool(), &owner);
    EXPECT_TRUE(tooltip.Description().isEmpty());
    EXPECT_FALSE(tooltip.OnDrawIcon(painter, QRect(4, 4, 32, 32)));
}

// An icon that is named but cannot be loaded still counts as drawn: the
// tooltip keeps its place beside the label, as it does for every control.
TEST_F(ToolTipTest, AnIconThatCannotBeLoadedStillCountsAsDrawn) {
    tooltip.AddTool(&play, QStringLiteral("Play"), ToolEntry{std::nullopt, kMissingBitmap});
    AskForTip(play);
    ASSERT_EQ(tooltip.CurrentTool(), &play);
    QImage canvas(40, 40, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    EXPECT_TRUE(tooltip.OnDrawIcon(painter, QRect(4, 4, 32, 32)));
}

TEST_F(ToolTipTest, AnUnregisteredControlShowsNothing) {
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), play.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&play, &help);
    EXPECT_FALSE(tooltip.isVisible());
}

}  // namespace
}  // namespace tavrel
