// The viewer's window driven through its own widgets: closing, the settings
// it starts from and writes back, its tooltips, its size presets, shape, grip
// and splitters, and full screen on a generated recording. The window holds
// the web map, so these run on the X server the test command provides.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QScreen>
#include <QSlider>
#include <QTest>

#include "application.h"
#include "appsettings.h"
#include "gsensorgraph.h"
#include "languagetable.h"
#include "libvlcplayer.h"
#include "mainwindow.h"
#include "mapview.h"
#include "messagebox.h"
#include "picturebutton.h"
#include "pictureindicator.h"
#include "qtsupport/qtprinters.h"
#include "qtsupport/runevents.h"
#include "qtsupport/widgetinput.h"
#include "recordinglist.h"
#include "runlist.h"
#include "stringmodule.h"
#include "testsupport.h"
#include "videoframe.h"
#include "videosurface.h"
#include "volumeslider.h"
#include "windowlayout.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

namespace fs = std::filesystem;

constexpr char kMissingEngine[] = "libtavrel-no-such-engine.so";

class MainWindowTest : public ::testing::Test {
protected:
    // The settings file lives in the working directory of the first settings
    // call, so every test of the process shares one folder and file.
    static void SetUpTestSuite() {
        static const fs::path folder = test::FreshFolder("mainwindow");
        fs::current_path(folder);
        // As the program starts: only the video surface is a native window.
        QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    }

    void SetUp() override { fs::remove("Orlin.ini"); }

    static void WriteSettings(const std::string& text) { std::ofstream("Orlin.ini") << text; }

    static int Setting(const char16_t* section, const char16_t* key) {
        return AppSettings::Instance().ReadInt(section, key, -1);
    }

    // Without the engine, whose warning the answerer takes; shown and exposed.
    std::unique_ptr<MainWindow> Open() {
        auto window = std::make_unique<MainWindow>(kMissingEngine);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    template <typename Widget = QWidget>
    static Widget& Child(MainWindow& window, const char* name) {
        auto* child = window.findChild<Widget*>(QLatin1StringView(name));
        EXPECT_NE(child, nullptr) << name;
        return *child;
    }

    static void ClickButton(MainWindow& window, const char* name) {
        QTest::mouseClick(&Child(window, name), Qt::LeftButton);
    }

    static QRect Monitor(const MainWindow& window) { return window.screen()->geometry(); }

    std::vector<MessageBoxRequest> m_boxes;
    ScopedMessageBoxAnswerer m_answerer{[this](const MessageBoxRequest& request) {
        m_boxes.push_back(request);
        return MessageBoxAnswer::Ok;
    }};
};

TEST_F(MainWindowTest, EscapeKeepsItOpenAndTheCloseButtonStoresItsPlace) {
    WriteSettings("[WINPOS]\nLEFT=40\nTOP=30\nRIGHT=900\nBOTTOM=650\n");
    const auto window = Open();
    ASSERT_EQ(window->geometry(), QRect(40, 30, 860, 620));

    window->move(60, 50);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Setting(u"WINPOS", u"LEFT"), 40) << "Escape stores nothing";

    ClickButton(*window, "closeButton");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(Setting(u"WINPOS", u"LEFT"), 60);
    EXPECT_EQ(Setting(u"WINPOS", u"TOP"), 50);
    EXPECT_EQ(Setting(u"WINPOS", u"RIGHT"), 920);
    EXPECT_EQ(Setting(u"WINPOS", u"BOTTOM"), 670);
}

TEST_F(MainWindowTest, StartsWithoutMapAndGraphWhenTheSettingsSaySoAndTogglesWriteThemBack) {
    WriteSettings("[UI]\nMAP_ENABLE=0\nGSNR_ENABLE=0\n");
    const auto window = Open();
    auto& map = Child<MapView>(*window, "mapView");
    auto& recordings = Child(*window, "recordingList");
    auto& graph = Child(*window, "gsensorGraph");
    auto& videoFrame = Child(*window, "videoFrame");
    auto& runs = Child(*window, "runList");
    EXPECT_FALSE(map.isVisible());
    EXPECT_EQ(recordings.y(), kContentTop);
    EXPECT_FALSE(graph.isVisible());
    const int videoHeightWithoutGraph = videoFrame.height();
    EXPECT_GT(runs.y(), videoFrame.geometry().bottom());

    ClickButton(*window, "mapToggleButton");
    EXPECT_TRUE(window->IsMapEnabled());
    EXPECT_TRUE(map.isVisible());
    EXPECT_GT(recordings.y(), map.geometry().bottom());
    EXPECT_EQ(Setting(u"UI", u"MAP_ENABLE"), 1);

    ClickButton(*window, "gsensorToggleButton");
    EXPECT_TRUE(graph.isVisible());
    EXPECT_LT(videoFrame.height(), videoHeightWithoutGraph);
    EXPECT_GT(graph.y(), videoFrame.geometry().bottom());
    EXPECT_GT(runs.y(), graph.geometry().bottom());
    EXPECT_EQ(Setting(u"UI", u"GSNR_ENABLE"), 1);

    ClickButton(*window, "mapToggleButton");
    EXPECT_FALSE(map.isVisible());
    EXPECT_EQ(recordings.y(), kContentTop);
    EXPECT_EQ(Setting(u"UI", u"MAP_ENABLE"), 0);
}

TEST_F(MainWindowTest, ReRegistersEveryTooltipInTheInterfaceLanguage) {
    const auto window = Open();
    window->OnLanguageChanged();

    struct Tool {
        const char* control;
        StringId label;
    };
    const Tool tools[] = {
        {"aboutButton", StringId::AboutTip},
        {"configButton", StringId::ConfigurationTip},
        {"deleteButton", StringId::DeleteTip},
        {"closeButton", StringId::CloseTip},
        {"fasterButton", StringId::FasterTip},
        {"rotateButton", StringId::RotateTip},
        {"gsensorToggleButton", StringId::GSensorTip},
        {"kmlButton", StringId::KmlTip},
        {"unlockButton", StringId::UnlockTip},
        {"loopButton", StringId::AutoPlayNextTip},
        {"mapToggleButton", StringId::MapTip},
        {"maximiseButton", StringId::MaximiseTip},
        {"minimiseButton", StringId::MinimiseTip},
        {"openButton", StringId::OpenTip},
        {"playButton", StringId::PlayPauseTip},
        {"saveAsButton", StringId::SaveAsTip},
        {"slowerButton", StringId::SlowerTip},
        {"snapshotButton", StringId::SnapshotTip},
        {"stopButton", StringId::StopTip},
        {"muteButton", StringId::MuteTip},
        {"volumeSlider", StringId::VolumeTip},
        {"speedReadout", StringId::SpeedUnitTip},
        {"smallPresetButton", StringId::SmallWindowTip},
        {"mediumPresetButton", StringId::MediumWindowTip},
        {"largePresetButton", StringId::LargeWindowTip},
    };
    for (const Tool& tool : tools) {
        const QWidget& control = Child(*window, tool.control);
        EXPECT_EQ(window->ToolTip().ToolCount(&control), 1) << tool.control;
        EXPECT_EQ(window->ToolTip().ToolLabel(&control), LoadUiString(tool.label)) << tool.control;
        EXPECT_FALSE(window->ToolTip().ToolLabel(&control).isEmpty()) << tool.control;
    }
}

TEST_F(MainWindowTest, WithoutTheEngineWarnsOnceAndEveryButtonStaysHarmless) {
    const auto window = Open();
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, LoadUiString(StringId::EngineLoadFailed));
    EXPECT_EQ(m_boxes[0].caption, LoadUiString(StringId::WarningCaption));
    EXPECT_FALSE(window->Player().IsLoaded());

    for (PictureButton* button : window->findChildren<PictureButton*>()) {
        // Closing is the one button meant to end the window.
        if (button->isVisible() && button->objectName() != u"closeButton"_s) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
    window->showNormal();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(m_boxes.size(), 1u);
}

TEST_F(MainWindowTest, PresetsAndMaximiseUseTheWindowsMonitor) {
    const auto window = Open();
    const QRect monitor = Monitor(*window);
    struct Case {
        const char* button;
        SizePreset preset;
    };
    for (const Case c : {Case{"largePresetButton", SizePreset::Large},
                         Case{"smallPresetButton", SizePreset::Small},
                         Case{"mediumPresetButton", SizePreset::Medium}}) {
        ClickButton(*window, c.button);
        EXPECT_EQ(window->geometry(), PresetRect(c.preset, monitor)) << c.button;
    }

    // The [ ] button and a double click on the window's own surface.
    const QRect before = window->geometry();
    ClickButton(*window, "maximiseButton");
    EXPECT_TRUE(window->IsMaximised());
    EXPECT_EQ(window->geometry(), monitor);
    ClickButton(*window, "maximiseButton");
    EXPECT_FALSE(window->IsMaximised());
    EXPECT_EQ(window->geometry(), before);
    const QPoint topBar(window->width() / 2, kContentTop / 2);
    QTest::mouseDClick(window.get(), Qt::LeftButton, Qt::NoModifier, topBar);
    EXPECT_TRUE(window->IsMaximised());
    EXPECT_EQ(window->geometry(), monitor);
    QTest::mouseDClick(window.get(), Qt::LeftButton, Qt::NoModifier, topBar);
    EXPECT_EQ(window->geometry(), before);
}

TEST_F(MainWindowTest, TheShapeCutsTheCornersAndTheGripStopsAtTheSmallestSize) {
    WriteSettings("[WINPOS]\nLEFT=0\nTOP=0\nRIGHT=1000\nBOTTOM=700\n");
    const auto window = Open();
    const QRegion shape = window->mask();
    EXPECT_FALSE(shape.contains(QPoint(4, 4))) << "the top-left quarter circle";
    EXPECT_TRUE(shape.contains(QPoint(29, 2)));
    EXPECT_FALSE(shape.contains(QPoint(999, 699))) << "a rounded corner";
    EXPECT_TRUE(shape.contains(QPoint(500, 350)));

    test::Press(*window, QPoint(995, 695));
    test::DragTo(*window, QPoint(300, 200));
    test::Release(*window, QPoint(300, 200));
    EXPECT_EQ(window->size(), kMinimumWindowSize);
}

TEST_F(MainWindowTest, EachSplitterResizesItsPaneAndShowsItsCursor) {
    const auto window = Open();
    const QWidget& map = Child(*window, "mapView");
    const QWidget& recordings = Child(*window, "recordingList");
    const QWidget& runs = Child(*window, "runList");
    // The middle of each gap, found from the panes on either side of it.
    const auto mapGap = [&] {
        return QPoint(recordings.x() + 20, recordings.y() - kSplitterGap / 2 - 1);
    };
    const auto runListGap = [&] { return QPoint(100, runs.y() - kSplitterGap / 2 - 1); };
    const auto columnGap = [&] {
        return QPoint(recordings.x() - kSplitterGap / 2 - 1, recordings.y() + 40);
    };
    const QSize client = window->size();
    // What each drag stores, against the window's first values (240, 120, 240).
    struct Case {
        const char* splitter;
        std::function<QPoint()> gap;
        QPoint drag;
        Qt::CursorShape cursor;
        const QWidget& pane;
        Qt::Orientation grows;
        std::function<int(QPoint)> growth;
    };
    const Case cases[] = {
        {"map",
         mapGap,
         {0, 50},
         Qt::SizeVerCursor,
         map,
         Qt::Vertical,
         [](QPoint to) { return MapHeightForDrag(to.y()) - 240; }},
        {"run list",
         runListGap,
         {0, -50},
         Qt::SizeVerCursor,
         runs,
         Qt::Vertical,
         [&](QPoint to) { return GroupListHeightForDrag(client, to.y()) - 120; }},
        {"column",
         columnGap,
         {-100, 0},
         Qt::SizeHorCursor,
         recordings,
         Qt::Horizontal,
         [&](QPoint to) { return RightPanelWidthForDrag(client, to.x()) - 240; }},
    };
    const auto extent = [](const QWidget& pane, Qt::Orientation orientation) {
        return orientation == Qt::Vertical ? pane.height() : pane.width();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.splitter);
        const QPoint from = c.gap();
        test::SendMouse(*window, QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(window->cursor().shape(), c.cursor);
        // The controls beside the gap keep the arrow, not the surface's cursor.
        EXPECT_EQ(recordings.cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(runs.cursor().shape(), Qt::ArrowCursor);

        const int before = extent(c.pane, c.grows);
        const QPoint to = from + c.drag;
        test::Press(*window, from);
        test::DragTo(*window, to);
        test::Release(*window, to);
        EXPECT_EQ(extent(c.pane, c.grows), before + c.growth(to));
        EXPECT_GT(c.growth(to), 40);
    }
    EXPECT_EQ(recordings.geometry().right(), window->width() - kSplitterGap - 1);
}

TEST_F(MainWindowTest, DoubleClickingTheVideoEntersAndLeavesFullScreen) {
    const auto window = Open();
    auto& surface = Child<VideoSurface>(*window, "videoSurface");
    auto& playButton = Child(*window, "playButton");
    auto& runList = Child(*window, "runList");

    // Nothing happens without a recording.
    QTest::mouseDClick(&surface, Qt::LeftButton);
    EXPECT_FALSE(window->IsFullScreen());

    const fs::path card = test::FreshFolder("card");
    test::WriteRecording(card / "FILE0001.AVI",
                         samplegen::BuildRecording(test::ShortRecording(2, {})));
    ASSERT_EQ(window->Catalog().FillFromFolder(card.string()), 1);
    ASSERT_TRUE(window->Catalog().SelectRecording(0));

    const QRect normal = window->geometry();
    QTest::mouseDClick(&surface, Qt::LeftButton);
    ASSERT_TRUE(window->IsFullScreen());
    EXPECT_EQ(window->geometry(), FullScreenRect(Monitor(*window), normal.size()));
    EXPECT_FALSE(playButton.isVisible());
    EXPECT_FALSE(runList.isVisible());
    EXPECT_EQ(Child(*window, "videoFrame").geometry(), window->rect());
    EXPECT_TRUE(window->mask().contains(QPoint(0, 0)));
    // The generated picture is 4:3: bars left and right on a wide monitor.
    const QRect picture = surface.geometry();
    EXPECT_EQ(picture.height(), window->height());
    EXPECT_EQ(picture.width(), window->height() * 4 / 3);

    QTest::mouseDClick(&surface, Qt::LeftButton);
    EXPECT_FALSE(window->IsFullScreen());
    EXPECT_EQ(window->geometry(), normal);
    EXPECT_TRUE(playButton.isVisible());
    EXPECT_TRUE(runList.isVisible());
    // The generated recording has no GPS data: the scan took the map away.
    EXPECT_FALSE(window->IsMapEnabled());
    EXPECT_FALSE(Child(*window, "mapView").isVisible());
    EXPECT_EQ(Child(*window, "recordingList").y(), kContentTop);
    EXPECT_FALSE(Child(*window, "statusBoard").isVisible());
}

TEST_F(MainWindowTest, EngineReportsAndMapChangesReachTheirControls) {
    const auto window = Open();
    m_boxes.clear();
    emit window->Player().errorOccurred();
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, LoadPlatformString(StringId::PlayerError));
    EXPECT_EQ(m_boxes[0].caption, QCoreApplication::applicationName());

    auto& gps = Child<PictureIndicator>(*window, "gpsIndicator");
    for (const auto report : {&LibVlcPlayer::openingStarted, &LibVlcPlayer::stopped}) {
        gps.SetActive(true);
        emit(window->Player().*report)();
        EXPECT_FALSE(gps.IsActive());
    }

    auto& map = Child<MapView>(*window, "mapView");
    EXPECT_EQ(map.MapType(), 0);
    WriteSettings("[UI]\nMAP=7\n");
    window->OnMapChanged();
    EXPECT_EQ(map.MapType(), 1);
    EXPECT_EQ(AppSettings::Instance().MapType(), 1);
}

TEST_F(MainWindowTest, WithTheEngineThePositionSliderFollowsPlayback) {
    const fs::path card = test::FreshFolder("played");
    const std::string recording = test::WriteRecording(
        card / "FILE0001.AVI", samplegen::BuildRecording(test::ShortRecording(6, {})));
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(window.Player().IsLoaded());
    EXPECT_TRUE(m_boxes.empty());

    auto& slider = Child<QSlider>(window, "positionSlider");
    EXPECT_EQ(slider.maximum(), 1000);
    window.Player().OpenMedia(recording);
    window.Player().Play();
    EXPECT_TRUE(test::RunEventsUntil([&] { return slider.value() > 0; }, 20000));
    window.close();
    EXPECT_FALSE(window.Player().IsPlaying());
}

TEST_F(MainWindowTest, TheVideoSurfaceShowsTheScanCounterOnlyWithItsOverlay) {
    VideoSurface surface;
    surface.resize(320, 240);
    const QImage plain = test::RenderWidget(surface);
    surface.ShowScanCounter(42);
    EXPECT_EQ(test::RenderWidget(surface), plain);
    EXPECT_EQ(plain.pixelColor(100, 50), kBackgroundColor);

    surface.SetOverlayShown(true);
    const QImage counted = test::RenderWidget(surface);
    EXPECT_NE(counted, plain);
    surface.ShowScanCounter(7);
    EXPECT_NE(test::RenderWidget(surface), counted);
}

TEST(Application, AStartupFailureShowsItsFaultsAndEndsWithCode1) {
    std::vector<MessageBoxRequest> boxes;
    const ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest& request) {
        boxes.push_back(request);
        return MessageBoxAnswer::Ok;
    });
    EXPECT_EQ(Application::ReportStartupFailure({u"0411.json: id 7x is no id"_s, u"second"_s}), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"0411.json: id 7x is no id\nsecond"_s);
    EXPECT_EQ(boxes[0].caption, QCoreApplication::applicationName());
}

}  // namespace
}  // namespace tavrel
