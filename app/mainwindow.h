#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <string>

#include <QDialog>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>

#include "catalogviews.h"
#include "libvlcplayer.h"
#include "recordingcatalog.h"
#include "recordingfileoperations.h"
#include "richtooltip.h"
#include "trackplotter.h"
#include "windowlayout.h"

namespace tavrel {

class Compass;
class GSensorGraph;
class MapView;
class PictureButton;
class PictureIndicator;
class PositionSlider;
class RecordingList;
class RunList;
class SpeedReadout;
class StatusBoard;
class VideoFrame;
class VideoSurface;
class VolumeSlider;

// The viewer's only top-level window: a frameless window that draws its own
// top bar and window buttons and holds the video, the telemetry displays,
// the lists, the map and the rows of picture buttons. It owns the catalog of
// recordings and the media engine for its whole life.
class MainWindow : public QDialog, public CatalogOwner {
    Q_OBJECT

public:
    // engineLibrary: the media engine library to load (a missing one leaves
    // the window working without video).
    explicit MainWindow(std::string engineLibrary = kEngineLibrary, QWidget* parent = nullptr);

    // Shows or hides the map column; ignored in full screen. Stored as
    // [UI] MAP_ENABLE.
    void ApplyMapEnabled(bool on) override;

    RecordingCatalog& Catalog() { return m_catalog; }
    LibVlcPlayer& Player() { return m_player; }
    const RichToolTip& ToolTip() const { return m_toolTip; }
    bool IsMaximised() const { return m_maximised; }
    bool IsFullScreen() const { return m_fullScreen; }
    bool IsMapEnabled() const { return m_mapEnabled; }

public slots:
    // The interface language changed: column titles and tooltips again.
    void OnLanguageChanged();
    // The map type changed in the settings: the map page again.
    void OnMapChanged();

    // Stops the player and stores the window's place; the window stays open.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The position slider's range: the playing position in thousandths.
    static constexpr int kPositionRange = 1000;

    // What a press on the window's own surface started.
    enum class Drag { None, Grip, MapSplitter, RunListSplitter, ColumnSplitter };

    // mainwindow.cpp: creation.
    void CreateControls();
    void ConnectSignals();
    void InitDialog();
    void InitEngine();
    void SetUpPictures();
    void RegisterTooltips();

    // mainwindow_layout.cpp: size, painting, mouse and display modes.
    void ApplyLayout();
    void PlaceVideo();
    void ShowControls(bool show);
    void ReshowVideoAfterMinimise();
    QRect Monitor() const;
    Drag DragAt(QPoint point) const;
    void UpdateCursor(QPoint point);
    void DragTo(QPoint point);
    void ApplyPreset(SizePreset preset);
    void ToggleMaximise();
    void Minimise();
    void ToggleFullScreen();

    // mainwindow_commands.cpp: the window's buttons and toggles.
    void ToggleMap();
    void ToggleGSensor();
    void ShowAbout();
    void StopAndSaveWindowRect();

    // mainwindow_engine.cpp: what the engine reports.
    void OnEngineError();
    void OnNoFix();
    void OnPositionChanged(qint64 timeMs);

    // The catalog and the work done on its recordings, side by side.
    RecordingCatalog m_catalog;
    TrackPlotter m_tracks{m_catalog};
    RecordingFileOperations m_fileOperations{m_catalog, m_tracks};
    // Written by the engine's threads; declared before the player, which
    // holds on to it.
    std::atomic<std::int64_t> m_pendingSeekMs{0};
    LibVlcPlayer m_player;

    GSensorGraph* m_gsensorGraph = nullptr;
    VideoFrame* m_videoFrame = nullptr;
    VideoSurface* m_videoSurface = nullptr;
    PictureButton* m_playButton = nullptr;
    PictureButton* m_stopButton = nullptr;
    PictureButton* m_slowerButton = nullptr;
    PictureButton* m_fasterButton = nullptr;
    PictureButton* m_configButton = nullptr;
    PictureButton* m_deleteButton = nullptr;
    PictureButton* m_saveAsButton = nullptr;
    PictureButton* m_snapshotButton = nullptr;
    PictureButton* m_openButton = nullptr;
    PictureButton* m_loopButton = nullptr;
    PictureButton* m_rotateButton = nullptr;
    PictureButton* m_kmlButton = nullptr;
    PictureButton* m_mapToggleButton = nullptr;
    PictureButton* m_gsensorToggleButton = nullptr;
    PictureButton* m_unlockButton = nullptr;
    PositionSlider* m_positionSlider = nullptr;
    VolumeSlider* m_volumeSlider = nullptr;
    PictureIndicator* m_gpsIndicator = nullptr;
    PictureButton* m_closeButton = nullptr;
    PictureButton* m_maximiseButton = nullptr;
    PictureButton* m_minimiseButton = nullptr;
    PictureButton* m_aboutButton = nullptr;
    PictureButton* m_muteButton = nullptr;
    PictureIndicator* m_logo = nullptr;
    PictureIndicator* m_banner = nullptr;
    RunList* m_runList = nullptr;
    RecordingList* m_recordingList = nullptr;
    Compass* m_compass = nullptr;
    SpeedReadout* m_speedReadout = nullptr;
    PictureButton* m_smallPresetButton = nullptr;
    PictureButton* m_mediumPresetButton = nullptr;
    PictureButton* m_largePresetButton = nullptr;
    StatusBoard* m_statusBoard = nullptr;
    MapView* m_mapView = nullptr;
    RichToolTip m_toolTip;

    QString m_caption = QStringLiteral("Orlin");
    int m_captionSize = 18;
    QSize m_clientSize{0, 0};
    // The size the controls were last laid out for.
    QSize m_laidOutSize{0, 0};
    bool m_maximised = false;
    bool m_fullScreen = false;
    bool m_reshowVideo = false;
    int m_marqueeTicks = 10;
    // Left and top of the window and its client size, to return to from
    // maximised or full screen.
    QRect m_restoreRect;
    int m_rateIndex = 7;
    bool m_autoPlayNext = true;
    bool m_rotate180 = false;
    bool m_mapEnabled = true;
    bool m_gsensorEnabled = true;
    Drag m_drag = Drag::None;
    // Hit areas of the map, run-list and column splitters.
    std::array<QRect, 3> m_splitterRect;
    int m_rightPanelWidth = 240;
    int m_mapHeight = 240;
    int m_groupListHeight = 120;
    int m_mapType = 0;
    std::string m_currentPath;
    QString m_currentFolder;
    int m_deferredIndex = -1;
    int m_deferredTicks = 0;

    QTimer m_marqueeTimer;
    QTimer m_seekTimer;
    QTimer m_deferredStartTimer;
    QTimer m_startGuardTimer;
};

}  // namespace tavrel
