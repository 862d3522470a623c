#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "positionslider.h"
#include "qtsupport/qtprinters.h"
#include "qtsupport/runevents.h"
#include "qtsupport/widgetinput.h"
#include "volumeslider.h"

namespace tavrel {
namespace {

// The main window as the sliders see it: it writes down the positions the
// sliders report. Its left half is painted green and its right half blue, so
// the volume slider's background shows where it is.
class OwnerWindow : public QWidget {
public:
    OwnerWindow() { resize(1000, 100); }

    // Each report carries the position the slider has when it is made.
    void Listen(PositionSlider& slider) {
        connect(&slider, &PositionSlider::seekRequested, this, [this, &slider](int position) {
            EXPECT_EQ(position, slider.value());
            seeks.push_back(position);
        });
    }
    void Listen(VolumeSlider& slider) {
        connect(&slider, &VolumeSlider::volumeMoved, this, [this, &slider](int volume) {
            EXPECT_EQ(volume, slider.value());
            volumes.push_back(volume);
        });
    }

    std::vector<int> seeks;
    std::vector<int> volumes;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(0, 0, width() / 2, height(), QColor(0, 128, 0));
        painter.fillRect(width() / 2, 0, width() - width() / 2, height(), QColor(0, 0, 128));
    }
};

// A channel of 400 pixels from x = 8: the slider is 416 wide.
class PositionSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.Listen(slider);
        slider.setGeometry(0, 0, 416, 20);
        slider.setRange(0, 1000);
    }

    OwnerWindow owner;
    PositionSlider slider{&owner};
    const int y = 10;
};

TEST_F(PositionSliderTest, APointOfTheChannelStandsForItsShareOfTheRange) {
    ASSERT_EQ(slider.ChannelRect().left(), 8);
    ASSERT_EQ(slider.ChannelRect().width(), 400);
    // Counted from 0 and truncated toward it; the slider clamps to its range.
    const struct {
        int x;
        int position;
    } cases[] = {{208, 500}, {8, 0}, {408, 1000}, {9, 2}, {7, -2}, {-200, -520}, {900, 2230}};
    for (const auto& c : cases) {
        EXPECT_EQ(slider.PositionFromX(c.x), c.position) << "x = " << c.x;
    }
}

TEST_F(PositionSliderTest, WithoutAChannelThePositionStays) {
    slider.setValue(321);
    slider.resize(16, 20);
    ASSERT_EQ(slider.ChannelRect().width(), 0);
    EXPECT_EQ(slider.PositionFromX(5), 321);
    test::Press(slider, {5, y});
    test::Release(slider, {9, y});
    EXPECT_EQ(slider.value(), 321);
}

TEST_F(PositionSliderTest, APressJumpsThereAndSeeksOnlyWhenDraggedOrReleased) {
    test::Press(slider, {208, y});
    EXPECT_EQ(slider.value(), 500);
    EXPECT_TRUE(owner.seeks.empty());
    EXPECT_TRUE(slider.IsDragging());

    // Past the right end the slider stays at its maximum and keeps asking.
    test::DragTo(slider, {300, y});
    test::DragTo(slider, {600, y});
    test::DragTo(slider, {700, y});
    test::Release(slider, {700, y});
    EXPECT_EQ(owner.seeks, (std::vector<int>{730, 1000, 1000, 1000}));
    EXPECT_FALSE(slider.IsDragging());

    test::DragTo(slider, {100, y});
    EXPECT_EQ(owner.seeks.size(), 4u) << "moves after the release are no drag";
}

// The window's own keys seek: a slider that took the focus on a click would
// answer the arrow keys itself. Only the left button moves a slider.
TEST(SlidersTest, NeitherSliderTakesTheFocusNorAnswersOtherButtons) {
    OwnerWindow owner;
    PositionSlider position(&owner);
    VolumeSlider volume(&owner);
    owner.Listen(position);
    owner.Listen(volume);
    position.setGeometry(0, 0, 416, 20);
    position.setRange(0, 1000);
    volume.setGeometry(500, 0, 416, 20);
    volume.setRange(0, 100);
    volume.setValue(100);

    for (PaintedSlider* slider :
         {static_cast<PaintedSlider*>(&position), static_cast<PaintedSlider*>(&volume)}) {
        const int before = slider->value();
        for (const Qt::MouseButton button : {Qt::MiddleButton, Qt::RightButton}) {
            test::SendMouse(*slider, QEvent::MouseButtonPress, {308, 10}, button, button);
            test::SendMouse(*slider, QEvent::MouseMove, {350, 10}, Qt::NoButton, button);
            test::SendMouse(*slider, QEvent::MouseButtonRelease, {350, 10}, button, Qt::NoButton);
            EXPECT_EQ(slider->value(), before) << button;
            EXPECT_FALSE(slider->IsDragging()) << button;
        }
    }
    // Through the window system: only its clicks hand out the focus.
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QTest::mouseClick(&position, Qt::LeftButton, Qt::NoModifier, {108, 10});
    QTest::mouseClick(&volume, Qt::LeftButton, Qt::NoModifier, {108, 10});
    EXPECT_EQ(owner.focusWidget(), nullptr);
    EXPECT_EQ(owner.seeks, std::vector<int>{250});
    EXPECT_EQ(owner.volumes, std::vector<int>{25});
}

QColor ThumbColor(PaintedSlider& slider) {
    const QImage shown = test::RenderWidget(slider);
    return shown.pixelColor(slider.ThumbRect().center());
}

TEST_F(PositionSliderTest, TheThumbIsLightGreenAndPinkWhileHeld) {
    slider.setValue(500);
    EXPECT_EQ(ThumbColor(slider), QColor(100, 250, 100));
    test::Press(slider, {208, y});
    EXPECT_EQ(ThumbColor(slider), QColor(240, 0, 180));
    test::Release(slider, {208, y});
    EXPECT_EQ(ThumbColor(slider), QColor(100, 250, 100));
    EXPECT_EQ(test::RenderWidget(slider).pixelColor(100, y), QColor(Qt::black));
}

class VolumeSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.Listen(slider);
        slider.setGeometry(10, 10, 80, 20);
        slider.setRange(0, 100);
        slider.setValue(100);
    }

    OwnerWindow owner;
    VolumeSlider slider{&owner};
    const int y = 10;
};

TEST_F(VolumeSliderTest, AReleaseWithoutMovementReportsOnce) {
    const QRect channel = slider.ChannelRect();
    test::Press(slider, {channel.left() + channel.width() / 4, y});
    EXPECT_EQ(slider.value(), 25);
    EXPECT_TRUE(owner.volumes.empty());
    EXPECT_EQ(ThumbColor(slider), QColor(170, 0, 0));
    test::Release(slider, {channel.left() + channel.width() / 4, y});
    EXPECT_EQ(owner.volumes, std::vector<int>{25});
    EXPECT_EQ(ThumbColor(slider), QColor(255, 0, 0));

    test::Press(slider, {channel.left(), y});
    test::DragTo(slider, {channel.right() + 40, y});
    test::Release(slider, {channel.right() + 40, y});
    EXPECT_EQ(owner.volumes, (std::vector<int>{25, 100, 100}));
}

TEST_F(VolumeSliderTest, TheWindowShowsThroughAndIsTakenAgainAfterAMove) {
    owner.show();
    ASSERT_TRUE(test::RunEventsUntil([&] { return slider.HasBackgroundCopy(); }, 2000));
    const QPoint corner(1, 1);
    EXPECT_EQ(test::RenderWidget(slider).pixelColor(corner), QColor(0, 128, 0));
    EXPECT_TRUE(slider.HasBackgroundCopy());

    slider.move(900, 10);
    EXPECT_FALSE(slider.HasBackgroundCopy());
    EXPECT_EQ(test::RenderWidget(slider).pixelColor(corner), QColor(0, 0, 128));
}

}  // namespace
}  // namespace tavrel
