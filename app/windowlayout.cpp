#include "windowlayout.h"

#include <algorithm>

namespace tavrel {

namespace {

// The layout is worked out in edges, right and bottom exclusive.
QRect Span(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

// Upper bound first: a bound below the floor wins, as it must when a window is smaller than
// both together.
int Limit(int value, int floor, int ceiling) {
    if (value > ceiling) {
        return ceiling;
    }
    return std::max(value, floor);
}

// Right of the title (which ends near x = 120 with the heaviest outlined face) and well left of
// the presets, which start at x = 601 in the smallest window. The speed read-out draws "888"
// at (0, 10) and "Km/h" at (40, 18) with a halo reaching about 74 x 35.
constexpr QRect kGpsIndicatorRect{128, 8, 32, 32};
constexpr QRect kCompassRect{164, 8, 32, 32};
constexpr QRect kSpeedRect{200, 4, 84, 40};

constexpr QSize kTitleButtonSize{25, 25};
constexpr int kTitleButtonTop = 2;
constexpr QSize kPresetSize{16, 16};
constexpr int kPresetTop = 11;
constexpr int kListsBottomMargin = 64;
constexpr int kSliderHeight = 20;
constexpr int kStatusBoardHeight = 30;
constexpr QSize kFileButtonSize{48, 36};
constexpr QSize kTransportSize{40, 40};
constexpr QSize kPlaySize{48, 48};
constexpr int kTransportLeft = 220;
constexpr QSize kToggleSize{32, 32};
constexpr int kToggleStep = 34;

// The corner ellipses of the rounded rectangle, and the cut top-left corner's radius.
constexpr int kCornerEllipse = 10;
constexpr int kCutRadius = 30;

QRegion RoundedRect(QSize client) {
    const int w = client.width();
    const int h = client.height();
    const int r = kCornerEllipse / 2;
    QRegion region(r, 0, w - kCornerEllipse, h);
    region += QRegion(0, r, w, h - kCornerEllipse);
    for (const QPoint& corner :
         {QPoint(0, 0), QPoint(w - kCornerEllipse, 0), QPoint(0, h - kCornerEllipse),
          QPoint(w - kCornerEllipse, h - kCornerEllipse)}) {
        region += QRegion(QRect(corner, QSize(kCornerEllipse, kCornerEllipse)), QRegion::Ellipse);
    }
    return region;
}

}  // namespace

ControlPlacement LayoutControls(const LayoutState& state) {
    ControlPlacement p;
    if (state.fullScreen) {
        p.videoFrame = state.monitorInClient;
        return p;
    }

    const int cx = state.client.width();
    const int cy = state.client.height();
    const auto titleButton = [](int x) {
        return QRect(QPoint(x, kTitleButtonTop), kTitleButtonSize);
    };
    p.close = titleButton(cx - 32);
    p.maximise = titleButton(cx - 59);
    p.minimise = titleButton(cx - 86);
    p.about = titleButton(cx - 113);
    const auto preset = [](int x) { return QRect(QPoint(x, kPresetTop), kPresetSize); };
    p.largePreset = preset(cx - 159);
    p.mediumPreset = preset(cx - 179);
    p.smallPreset = preset(cx - 199);
    p.gpsIndicator = kGpsIndicatorRect;
    p.compass = kCompassRect;
    p.speed = kSpeedRect;

    const int listsBottom = cy - kListsBottomMargin;
    const int width = Limit(state.rightPanelWidth, kSmallestPane, cx - kSmallestPane);
    const int right = cx - kSplitterGap;
    const int left = right - width;
    if (state.mapEnabled) {
        const int h = Limit(state.mapHeight, kSmallestPane, cy - 127);
        p.map = Span(left, kContentTop, right, kContentTop + h);
        p.recordingList = Span(left, kContentTop + h + kSplitterGap, right, listsBottom);
        // Children cover all of it but the gap, so only the gap reaches the window.
        p.mapSplitter = Span(left, kContentTop, right, listsBottom);
    } else {
        p.map = QRect(left, 0, right - left, 0);
        p.recordingList = Span(left, kContentTop, right, listsBottom);
    }
    p.columnSplitter = Span(left - kSplitterGap, kContentTop, left, listsBottom);

    const int videoRight = left - kSplitterGap;
    const int g = state.gsensorEnabled ? state.gsensorHeight : 0;
    const int k = Limit(state.groupListHeight, kSmallestPane, cy - g - 152);
    const int videoBottom = cy - k - g - 99;
    p.positionSlider = QRect(5, videoBottom, left - 10, kSliderHeight);
    int runListTop = videoBottom + 25;
    if (state.gsensorEnabled) {
        p.gsensorGraph = Span(5, videoBottom + 25, videoRight, videoBottom + 25 + g);
        runListTop = videoBottom + 30 + g;
    }
    p.runList = Span(5, runListTop, videoRight, listsBottom);
    p.runListSplitter = Span(5, runListTop - kSplitterGap, videoRight, runListTop);
    // Over the bottom edge of the video, where the picture is least likely to matter.
    p.statusBoard = QRect(5, videoBottom - kStatusBoardHeight, videoRight - 5, kStatusBoardHeight);

    const auto fileButton = [cy](int x) { return QRect(QPoint(x, cy - 44), kFileButtonSize); };
    p.open = fileButton(8);
    p.snapshot = fileButton(56);
    p.saveAs = fileButton(104);
    p.remove = fileButton(152);

    // Bottom-aligned one pixel apart; the play button stands taller than the others.
    int x = kTransportLeft;
    const auto transport = [cy, &x](QSize size) {
        const QRect r(QPoint(x, cy - 8 - size.height()), size);
        x = r.right() + 2;
        return r;
    };
    p.slower = transport(kTransportSize);
    p.stop = transport(kTransportSize);
    p.play = transport(kPlaySize);
    p.faster = transport(kTransportSize);
    p.mute = QRect(402, cy - 40, 12, 24);
    p.volume = QRect(416, cy - 36, 80, 20);

    const auto toggle = [cx, cy](int i) {
        return QRect(QPoint(cx - 195 + i * kToggleStep, cy - 40), kToggleSize);
    };
    p.loop = toggle(0);
    p.kml = toggle(1);
    p.mapToggle = toggle(2);
    p.gsensorToggle = toggle(3);
    p.unlock = toggle(4);

    p.videoFrame = Span(5, kContentTop, videoRight, videoBottom);
    return p;
}

QRect FitVideo(QRect area, QSize videoSize, QSize edgeInset) {
    QRect r = area.adjusted(edgeInset.width(), edgeInset.height(), -edgeInset.width(),
                            -edgeInset.height());
    if (videoSize.isEmpty()) {
        return r;
    }
    // 64 bits: a wide frame times a tall picture overflows an int.
    const qint64 w = r.width();
    const qint64 h = r.height();
    const qint64 vw = videoSize.width();
    const qint64 vh = videoSize.height();
    if (w * vh < h * vw) {
        const int height = static_cast<int>(w * vh / vw);
        r.setTop(r.top() + (r.height() - height) / 2);
        r.setHeight(height);
    } else if (h * vw < w * vh) {
        const int width = static_cast<int>(h * vw / vh);
        r.setLeft(r.left() + (r.width() - width) / 2);
        r.setWidth(width);
    }
    return r;
}

QRegion WindowShape(QSize client, bool fullScreen) {
    if (fullScreen) {
        return QRegion(QRect(QPoint(0, 0), client));
    }
    const QRect corner(0, 0, kCutRadius, kCutRadius);
    const QRegion quarterDisc =
        QRegion(QRect(0, 0, 2 * kCutRadius, 2 * kCutRadius), QRegion::Ellipse) & corner;
    return RoundedRect(client) - (QRegion(corner) - quarterDisc);
}

QRect PresetRect(SizePreset preset, QRect monitor) {
    const int mx = monitor.x();
    const int my = monitor.y();
    const int mw = monitor.width();
    const int mh = monitor.height();
    switch (preset) {
        case SizePreset::Small:
            return {QPoint(mx + (mw - kMinimumWindowSize.width()) / 2,
                           my + (mh - kMinimumWindowSize.height()) / 2),
                    kMinimumWindowSize};
        case SizePreset::Medium:
            return {mx + mw / 8, my + mh / 8, std::max(mw * 4 / 5, kMinimumWindowSize.width()),
                    std::max(mh * 4 / 5, kMinimumWindowSize.height())};
        case SizePreset::Large:
            break;
    }
    return monitor;
}

QRect FullScreenRect(QRect monitor, QSize client) {
    // The size handler lays out only when the size changes: one pixel less makes sure a window
    // already as wide or as high as the monitor still gets its full-screen layout.
    if (monitor.width() == client.width() || monitor.height() == client.height()) {
        monitor.setHeight(monitor.height() - 1);
    }
    return monitor;
}

QRect GripArea(QSize client) {
    return {client.width() - kGripSize, client.height() - kGripSize, kGripSize, kGripSize};
}

QSize GripDragSize(QPoint clientPoint) {
    return kMinimumWindowSize.expandedTo(QSize(clientPoint.x(), clientPoint.y()));
}

int MapHeightForDrag(int y) {
    return y - kContentTop;
}

int GroupListHeightForDrag(QSize client, int y) {
    return client.height() - y - 74;
}

int RightPanelWidthForDrag(QSize client, int x) {
    return client.width() - x - 10;
}

}  // namespace tavrel
