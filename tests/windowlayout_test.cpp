#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include <QRect>
#include <QRegion>
#include <QSize>

#include <gtest/gtest.h>

#include "windowlayout.h"

namespace tavrel {
namespace {

using Placement = std::optional<QRect> ControlPlacement::*;

constexpr std::array<Placement, 34> kAllPlaced = {
    &ControlPlacement::close,
    &ControlPlacement::maximise,
    &ControlPlacement::minimise,
    &ControlPlacement::about,
    &ControlPlacement::smallPreset,
    &ControlPlacement::mediumPreset,
    &ControlPlacement::largePreset,
    &ControlPlacement::gpsIndicator,
    &ControlPlacement::compass,
    &ControlPlacement::speed,
    &ControlPlacement::map,
    &ControlPlacement::recordingList,
    &ControlPlacement::runList,
    &ControlPlacement::gsensorGraph,
    &ControlPlacement::positionSlider,
    &ControlPlacement::statusBoard,
    &ControlPlacement::open,
    &ControlPlacement::snapshot,
    &ControlPlacement::saveAs,
    &ControlPlacement::remove,
    &ControlPlacement::slower,
    &ControlPlacement::stop,
    &ControlPlacement::play,
    &ControlPlacement::faster,
    &ControlPlacement::mute,
    &ControlPlacement::volume,
    &ControlPlacement::loop,
    &ControlPlacement::kml,
    &ControlPlacement::mapToggle,
    &ControlPlacement::gsensorToggle,
    &ControlPlacement::unlock,
    &ControlPlacement::mapSplitter,
    &ControlPlacement::runListSplitter,
    &ControlPlacement::columnSplitter,
};

LayoutState Normal(QSize client, bool map = true, bool graph = true) {
    LayoutState state;
    state.client = client;
    state.mapEnabled = map;
    state.gsensorEnabled = graph;
    state.gsensorHeight = kGSensorGraphHeight;
    return state;
}

// The columns, the lists and the video for the default pane sizes (right column 240, map 240,
// run list 120), worked out by hand.
struct ColumnsCase {
    QSize client;
    bool map;
    bool graph;
    QRect mapRect;
    QRect recordingList;
    std::optional<QRect> mapSplitter;
    QRect columnSplitter;
    QRect videoFrame;
    QRect slider;
    std::optional<QRect> graphRect;
    QRect runList;
    QRect runListSplitter;
    QRect statusBoard;
};

TEST(WindowLayout, PlacesColumnsListsAndVideo) {
    static_assert(kGSensorGraphHeight == 90, "the table below is worked out for a 90-pixel graph");
    const std::vector<ColumnsCase> cases = {
        {{800, 560},
         true,
         true,
         {555, 48, 240, 240},
         {555, 293, 240, 203},
         QRect(555, 48, 240, 448),
         {550, 48, 5, 448},
         {5, 48, 545, 203},
         {5, 251, 545, 20},
         QRect(5, 276, 545, 90),
         {5, 371, 545, 125},
         {5, 366, 545, 5},
         {5, 221, 545, 30}},
        // Without the graph the video grows by its height and its gap.
        {{800, 560},
         true,
         false,
         {555, 48, 240, 240},
         {555, 293, 240, 203},
         QRect(555, 48, 240, 448),
         {550, 48, 5, 448},
         {5, 48, 545, 293},
         {5, 341, 545, 20},
         std::nullopt,
         {5, 366, 545, 130},
         {5, 361, 545, 5},
         {5, 311, 545, 30}},
        // Without the map the recording list fills the column and splitter 1 is not moved.
        {{800, 560},
         false,
         true,
         {555, 0, 240, 0},
         {555, 48, 240, 448},
         std::nullopt,
         {550, 48, 5, 448},
         {5, 48, 545, 203},
         {5, 251, 545, 20},
         QRect(5, 276, 545, 90),
         {5, 371, 545, 125},
         {5, 366, 545, 5},
         {5, 221, 545, 30}},
        {{1280, 800},
         true,
         true,
         {1035, 48, 240, 240},
         {1035, 293, 240, 443},
         QRect(1035, 48, 240, 688),
         {1030, 48, 5, 688},
         {5, 48, 1025, 443},
         {5, 491, 1025, 20},
         QRect(5, 516, 1025, 90),
         {5, 611, 1025, 125},
         {5, 606, 1025, 5},
         {5, 461, 1025, 30}},
        {{1280, 800},
         false,
         false,
         {1035, 0, 240, 0},
         {1035, 48, 240, 688},
         std::nullopt,
         {1030, 48, 5, 688},
         {5, 48, 1025, 533},
         {5, 581, 1025, 20},
         std::nullopt,
         {5, 606, 1025, 130},
         {5, 601, 1025, 5},
         {5, 551, 1025, 30}},
        {{1920, 1080},
         true,
         true,
         {1675, 48, 240, 240},
         {1675, 293, 240, 723},
         QRect(1675, 48, 240, 968),
         {1670, 48, 5, 968},
         {5, 48, 1665, 723},
         {5, 771, 1665, 20},
         QRect(5, 796, 1665, 90),
         {5, 891, 1665, 125},
         {5, 886, 1665, 5},
         {5, 741, 1665, 30}},
        {{1920, 1080},
         true,
         false,
         {1675, 48, 240, 240},
         {1675, 293, 240, 723},
         QRect(1675, 48, 240, 968),
         {1670, 48, 5, 968},
         {5, 48, 1665, 813},
         {5, 861, 1665, 20},
         std::nullopt,
         {5, 886, 1665, 130},
         {5, 881, 1665, 5},
         {5, 831, 1665, 30}},
    };
    for (const ColumnsCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.client.width() << " x " << c.client.height() << " map "
                                        << c.map << " graph " << c.graph);
        const ControlPlacement p = LayoutControls(Normal(c.client, c.map, c.graph));
        EXPECT_EQ(p.map, c.mapRect);
        EXPECT_EQ(p.recordingList, c.recordingList);
        EXPECT_EQ(p.mapSplitter, c.mapSplitter);
        EXPECT_EQ(p.columnSplitter, c.columnSplitter);
        EXPECT_EQ(p.videoFrame, c.videoFrame);
        EXPECT_EQ(p.positionSlider, c.slider);
        EXPECT_EQ(p.gsensorGraph, c.graphRect);
        EXPECT_EQ(p.runList, c.runList);
        EXPECT_EQ(p.runListSplitter, c.runListSplitter);
        EXPECT_EQ(p.statusBoard, c.statusBoard);
    }
}

TEST(WindowLayout, PlacesButtonsFromTheEdges) {
    for (const QSize client : {QSize(800, 560), QSize(1280, 800), QSize(1920, 1080)}) {
        SCOPED_TRACE(testing::Message() << client.width() << " x " << client.height());
        const int cx = client.width();
        const int cy = client.height();
        const ControlPlacement p = LayoutControls(Normal(client));
        EXPECT_EQ(p.close, QRect(cx - 32, 2, 25, 25));
        EXPECT_EQ(p.maximise, QRect(cx - 59, 2, 25, 25));
        EXPECT_EQ(p.minimise, QRect(cx - 86, 2, 25, 25));
        EXPECT_EQ(p.about, QRect(cx - 113, 2, 25, 25));
        EXPECT_EQ(p.largePreset, QRect(cx - 159, 11, 16, 16));
        EXPECT_EQ(p.mediumPreset, QRect(cx - 179, 11, 16, 16));
        EXPECT_EQ(p.smallPreset, QRect(cx - 199, 11, 16, 16));

        EXPECT_EQ(p.open, QRect(8, cy - 44, 48, 36));
        EXPECT_EQ(p.snapshot, QRect(56, cy - 44, 48, 36));
        EXPECT_EQ(p.saveAs, QRect(104, cy - 44, 48, 36));
        EXPECT_EQ(p.remove, QRect(152, cy - 44, 48, 36));

        EXPECT_EQ(p.slower, QRect(220, cy - 48, 40, 40));
        EXPECT_EQ(p.stop, QRect(261, cy - 48, 40, 40));
        EXPECT_EQ(p.play, QRect(302, cy - 56, 48, 48));
        EXPECT_EQ(p.faster, QRect(351, cy - 48, 40, 40));
        // The row, with its last one-pixel gap, ends at x = 392.
        EXPECT_EQ(p.faster->x() + p.faster->width() + 1, 392);
        EXPECT_EQ(p.mute, QRect(402, cy - 40, 12, 24));
        EXPECT_EQ(p.volume, QRect(416, cy - 36, 80, 20));

        EXPECT_EQ(p.loop, QRect(cx - 195, cy - 40, 32, 32));
        EXPECT_EQ(p.kml, QRect(cx - 161, cy - 40, 32, 32));
        EXPECT_EQ(p.mapToggle, QRect(cx - 127, cy - 40, 32, 32));
        EXPECT_EQ(p.gsensorToggle, QRect(cx - 93, cy - 40, 32, 32));
        EXPECT_EQ(p.unlock, QRect(cx - 59, cy - 40, 32, 32));
    }
}

TEST(WindowLayout, TopBarIndicatorsFitBetweenTitleAndPresets) {
    const ControlPlacement p = LayoutControls(Normal(kMinimumWindowSize));
    const std::vector<QRect> indicators = {*p.gpsIndicator, *p.compass, *p.speed};
    // "888" and "Km/h" with their halo reach about 74 x 35 inside the read-out.
    EXPECT_GE(p.speed->width(), 80);
    EXPECT_GE(p.speed->height(), 36);
    for (std::size_t i = 0; i < indicators.size(); ++i) {
        SCOPED_TRACE(i);
        const QRect r = indicators[i];
        // Clear of the logo and of the title, which ends near x = 120.
        EXPECT_GE(r.left(), 120);
        EXPECT_FALSE(r.intersects(kLogoRect));
        EXPECT_LE(r.bottom(), kContentTop - 1);
        EXPECT_GE(r.top(), 0);
        EXPECT_LT(r.right(), p.smallPreset->left());
        for (std::size_t j = i + 1; j < indicators.size(); ++j) {
            EXPECT_FALSE(r.intersects(indicators[j])) << "with " << j;
        }
    }
}

TEST(WindowLayout, SmallestWindowWithGraphLeavesVideoAndRunList) {
    const ControlPlacement p = LayoutControls(Normal(kMinimumWindowSize));
    // Taller than the status board over it, and a run list of several rows.
    EXPECT_GE(p.videoFrame.height(), 150);
    EXPECT_GE(p.runList->height(), 100);
    EXPECT_FALSE(p.gsensorGraph->intersects(*p.runList));
    EXPECT_FALSE(p.gsensorGraph->intersects(p.videoFrame));
    EXPECT_LE(p.runList->bottom(), p.open->top());
}

TEST(WindowLayout, LimitsPaneSizes) {
    struct Case {
        const char* what;
        int LayoutState::*field;
        int stored;
        QSize client;
        int expected;
    };
    const QSize small = kMinimumWindowSize;
    const QSize large{1920, 1080};
    const std::vector<Case> cases = {
        {"map floor", &LayoutState::mapHeight, -50, small, 20},
        {"map floor", &LayoutState::mapHeight, 19, small, 20},
        {"map at its ceiling", &LayoutState::mapHeight, 433, small, 433},
        {"map ceiling cy - 127", &LayoutState::mapHeight, 434, small, 433},
        {"map ceiling cy - 127", &LayoutState::mapHeight, 5000, large, 953},
        // With the graph on, the run list is five pixels taller than the height it is given.
        {"run list floor", &LayoutState::groupListHeight, 0, small, 25},
        {"run list ceiling cy - g - 152", &LayoutState::groupListHeight, 5000, small, 323},
        {"column floor", &LayoutState::rightPanelWidth, 3, small, 20},
        {"column ceiling cx - 20", &LayoutState::rightPanelWidth, 781, small, 780},
        {"column ceiling cx - 20", &LayoutState::rightPanelWidth, 5000, large, 1900},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << ", stored " << c.stored);
        LayoutState state = Normal(c.client);
        state.*c.field = c.stored;
        const ControlPlacement p = LayoutControls(state);
        if (c.field == &LayoutState::mapHeight) {
            EXPECT_EQ(p.map->height(), c.expected);
            EXPECT_EQ(p.recordingList->top(), kContentTop + c.expected + kSplitterGap);
        } else if (c.field == &LayoutState::groupListHeight) {
            const int listsBottom = c.client.height() - 64;
            EXPECT_EQ(p.runList->height(), c.expected);
            EXPECT_EQ(p.runList->bottom() + 1, listsBottom);
        } else {
            EXPECT_EQ(p.recordingList->width(), c.expected);
            EXPECT_EQ(p.recordingList->right() + 1, c.client.width() - 5);
            EXPECT_EQ(p.columnSplitter->right() + 1, p.recordingList->left());
        }
    }
}

TEST(WindowLayout, SplitterDragPutsTheGapUnderTheMouse) {
    const QSize client{1280, 800};
    for (const int y : {100, 300, 500}) {
        LayoutState state = Normal(client);
        state.mapHeight = MapHeightForDrag(y);
        const ControlPlacement p = LayoutControls(state);
        EXPECT_EQ(p.map->bottom() + 1, y);
    }
    for (const int x : {300, 700, 1100}) {
        LayoutState state = Normal(client);
        state.rightPanelWidth = RightPanelWidthForDrag(client, x);
        const ControlPlacement p = LayoutControls(state);
        EXPECT_EQ(p.columnSplitter->left(), x);
    }
    for (const int y : {400, 600, 700}) {
        LayoutState state = Normal(client, true, false);
        state.groupListHeight = GroupListHeightForDrag(client, y);
        const ControlPlacement p = LayoutControls(state);
        EXPECT_EQ(p.runList->top(), y);
    }
}

TEST(WindowLayout, DragFormulasStoreUnlimitedValues) {
    EXPECT_EQ(MapHeightForDrag(48), 0);
    EXPECT_EQ(MapHeightForDrag(10), -38);
    EXPECT_EQ(MapHeightForDrag(2000), 1952);
    EXPECT_EQ(GroupListHeightForDrag({800, 560}, 366), 120);
    EXPECT_EQ(GroupListHeightForDrag({800, 560}, 540), -54);
    EXPECT_EQ(RightPanelWidthForDrag({800, 560}, 550), 240);
    EXPECT_EQ(RightPanelWidthForDrag({800, 560}, 0), 790);
}

TEST(WindowLayout, FullScreenMovesOnlyTheVideoFrame) {
    LayoutState state = Normal({1920, 1079});
    state.fullScreen = true;
    state.monitorInClient = QRect(0, 0, 1920, 1080);
    const ControlPlacement p = LayoutControls(state);
    EXPECT_EQ(p.videoFrame, QRect(0, 0, 1920, 1080));
    for (std::size_t i = 0; i < kAllPlaced.size(); ++i) {
        EXPECT_FALSE((p.*kAllPlaced[i]).has_value()) << "member " << i;
    }
}

TEST(WindowLayout, FitsVideoKeepingItsAspect) {
    struct Case {
        const char* what;
        QRect area;
        QSize video;
        QSize inset;
        QRect expected;
    };
    const std::vector<Case> cases = {
        {"16:9 in 4:3: bars above and below",
         {10, 20, 404, 304},
         {1280, 720},
         kEdgeInset,
         {12, 59, 400, 225}},
        {"4:3 in 16:9: bars left and right",
         {0, 0, 644, 364},
         {640, 480},
         kEdgeInset,
         {82, 2, 480, 360}},
        {"same aspect", {10, 20, 404, 304}, {800, 600}, kEdgeInset, {12, 22, 400, 300}},
        {"no current recording", {10, 20, 404, 304}, {}, kEdgeInset, {12, 22, 400, 300}},
        // 401 x 720 / 1280 = 225.56: the height is cut, the bars share the rest by halves.
        {"integer division", {0, 0, 405, 305}, {1280, 720}, kEdgeInset, {2, 40, 401, 225}},
        {"full screen, no inset", {0, 0, 1920, 1080}, {640, 480}, {0, 0}, {240, 0, 1440, 1080}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FitVideo(c.area, c.video, c.inset), c.expected);
    }
}

TEST(WindowLayout, ShapeRoundsCornersAndCutsTheTopLeft) {
    const QSize client{800, 560};
    const QRegion shape = WindowShape(client, false);
    struct Point {
        QPoint at;
        bool inside;
    };
    const std::vector<Point> points = {
        {{400, 0}, true},
        {{0, 280}, true},
        {{799, 280}, true},
        {{400, 559}, true},
        {{799, 0}, false},
        {{0, 559}, false},
        {{799, 559}, false},
        {{797, 557}, true},
        {{797, 2}, true},
        {{2, 557}, true},
        // The top-left quarter circle of radius 30.
        {{0, 0}, false},
        {{5, 5}, false},
        {{15, 2}, false},
        {{2, 15}, false},
        {{15, 15}, true},
        {{30, 1}, true},
        {{1, 31}, true},
    };
    for (const Point& p : points) {
        EXPECT_EQ(shape.contains(p.at), p.inside) << p.at.x() << ", " << p.at.y();
    }
    EXPECT_EQ(shape.boundingRect(), QRect(QPoint(0, 0), client));

    const QRegion full = WindowShape(client, true);
    EXPECT_EQ(full, QRegion(0, 0, 800, 560));
}

TEST(WindowLayout, PresetRectangles) {
    struct Case {
        SizePreset preset;
        QRect monitor;
        QRect expected;
    };
    const QRect primary{0, 0, 1920, 1080};
    const QRect second{1920, -200, 1280, 1024};
    const QRect tiny{0, 0, 800, 600};
    const std::vector<Case> cases = {
        {SizePreset::Small, primary, {560, 260, 800, 560}},
        {SizePreset::Medium, primary, {240, 135, 1536, 864}},
        {SizePreset::Large, primary, primary},
        {SizePreset::Small, second, {2160, 32, 800, 560}},
        {SizePreset::Medium, second, {2080, -72, 1024, 819}},
        {SizePreset::Large, second, second},
        // Four fifths of a small monitor is below the smallest window.
        {SizePreset::Medium, tiny, {100, 75, 800, 560}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.preset) << " on " << c.monitor.x()
                                        << ", " << c.monitor.y());
        EXPECT_EQ(PresetRect(c.preset, c.monitor), c.expected);
    }
}

TEST(WindowLayout, FullScreenIsOnePixelShortWhenASideMatches) {
    const QRect monitor{1920, 0, 1280, 1024};
    EXPECT_EQ(FullScreenRect(monitor, {1000, 700}), monitor);
    EXPECT_EQ(FullScreenRect(monitor, {1280, 700}), QRect(1920, 0, 1280, 1023));
    EXPECT_EQ(FullScreenRect(monitor, {1000, 1024}), QRect(1920, 0, 1280, 1023));
    EXPECT_EQ(FullScreenRect(monitor, {1280, 1024}), QRect(1920, 0, 1280, 1023));
}

TEST(WindowLayout, GripResizesNoSmallerThanTheMinimum) {
    EXPECT_EQ(GripArea({800, 560}), QRect(780, 540, 20, 20));
    EXPECT_EQ(GripDragSize({900, 700}), QSize(900, 700));
    EXPECT_EQ(GripDragSize({100, 700}), QSize(800, 700));
    EXPECT_EQ(GripDragSize({900, 10}), QSize(900, 560));
    EXPECT_EQ(GripDragSize({-5, -5}), QSize(800, 560));
}

}  // namespace
}  // namespace tavrel
