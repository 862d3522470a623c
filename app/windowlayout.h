#pragma once

#include <optional>

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

namespace tavrel {

// The pure geometry of the viewer's window: where every control goes for a client size, how
// the video fits its frame, the window's shape, the size presets, the grip and the splitters.

inline constexpr QSize kMinimumWindowSize{800, 560};
inline constexpr int kContentTop = 48;  // top of the content area
inline constexpr int kSplitterGap = 5;
// The smallest map height, right column width and run list height.
inline constexpr int kSmallestPane = 20;
inline constexpr int kGripSize = 20;

// The graph keeps one height for the life of the window: tall enough to keep its three scale
// labels apart, short enough to leave a 545 x 203 video and a 125-pixel run list at 800 x 560.
inline constexpr int kGSensorGraphHeight = 90;

inline constexpr QColor kBackgroundColor{64, 64, 64};
inline constexpr QColor kGripLineColor{150, 150, 150};
// Offsets from the bottom-right corner of the four diagonal grip lines.
inline constexpr int kGripLineOffsets[] = {25, 20, 15, 10};
// The logo never moves; the title is drawn to its right, at (50, 8).
inline constexpr QRect kLogoRect{8, 4, 40, 40};

// What the layout depends on besides the client size.
struct LayoutState {
    QSize client;  // cx, cy
    bool fullScreen = false;
    QRect monitorInClient;  // the monitor's rectangle in client coordinates (full screen)
    bool mapEnabled = true;
    bool gsensorEnabled = true;
    int gsensorHeight = 0;  // the graph's current height
    int rightPanelWidth = 240;
    int mapHeight = 240;
    int groupListHeight = 120;
};

// Where LayoutControls puts each control; a control the layout leaves where it is has none.
struct ControlPlacement {
    std::optional<QRect> close, maximise, minimise, about;  // title-bar buttons
    std::optional<QRect> smallPreset, mediumPreset, largePreset;
    std::optional<QRect> gpsIndicator, compass, speed;  // top bar, right of the title
    std::optional<QRect> map, recordingList, runList, gsensorGraph;
    std::optional<QRect> positionSlider, statusBoard;
    std::optional<QRect> open, snapshot, saveAs, remove;  // bottom left, 48 x 36
    std::optional<QRect> slower, stop, play, faster;      // transport
    std::optional<QRect> mute, volume;
    std::optional<QRect> loop, kml, mapToggle, gsensorToggle, unlock;
    // Hit areas of the three splitter gaps: map/recording list (absent when the map is
    // disabled: the window keeps the previous one), video/run list, and between the columns.
    std::optional<QRect> mapSplitter, runListSplitter, columnSplitter;
    QRect videoFrame;
};

ControlPlacement LayoutControls(const LayoutState& state);

// Fits a picture of videoSize into area keeping its aspect ratio, centred; the whole area
// when videoSize is empty (no current recording). `edgeInset` shrinks the area first on each
// side (the sunken edge of the frame; 0 in full screen).
QRect FitVideo(QRect area, QSize videoSize, QSize edgeInset);
inline constexpr QSize kEdgeInset{2, 2};

// The window's shape: the rounded rectangle with its top-left corner cut to a quarter circle
// of radius 30; a plain rectangle in full screen.
QRegion WindowShape(QSize client, bool fullScreen);

enum class SizePreset { Small, Medium, Large };
// The window rectangle (screen coordinates) a preset gives on that monitor.
QRect PresetRect(SizePreset preset, QRect monitor);

// Full screen: the monitor's rectangle, one pixel less high when the monitor's width equals
// the client width or its height equals the client height.
QRect FullScreenRect(QRect monitor, QSize client);

QRect GripArea(QSize client);
// The window size a grip drag to that client point gives (never below kMinimumWindowSize).
QSize GripDragSize(QPoint clientPoint);

// What a splitter drag to that client point stores (unlimited: the layout limits it).
int MapHeightForDrag(int y);                      // y - 48
int GroupListHeightForDrag(QSize client, int y);  // cy - y - 74
int RightPanelWidthForDrag(QSize client, int x);  // cx - x - 10

}  // namespace tavrel
