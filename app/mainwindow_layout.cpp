// The window's size, shape and painting, the mouse on its own surface (moving,
// the grip and the splitters) and its display modes.

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "compass.h"
#include "gsensorgraph.h"
#include "mainwindow.h"
#include "mapview.h"
#include "outlinedtext.h"
#include "picturebutton.h"
#include "pictureindicator.h"
#include "positionslider.h"
#include "recordinglist.h"
#include "runlist.h"
#include "speedreadout.h"
#include "statusboard.h"
#include "videoframe.h"
#include "videosurface.h"
#include "volumeslider.h"

namespace tavrel {

namespace {

enum SplitterIndex { kMapSplitter, kRunListSplitter, kColumnSplitter };

void Place(QWidget* widget, const std::optional<QRect>& rect) {
    if (rect) {
        widget->setGeometry(*rect);
    }
}

}  // namespace

void MainWindow::ApplyLayout() {
    LayoutState state;
    state.client = size();
    state.fullScreen = m_fullScreen;
    state.monitorInClient = Monitor().translated(-pos());
    state.mapEnabled = m_mapEnabled;
    state.gsensorEnabled = m_gsensorEnabled;
    state.gsensorHeight = m_gsensorGraph->height();
    state.rightPanelWidth = m_rightPanelWidth;
    state.mapHeight = m_mapHeight;
    state.groupListHeight = m_groupListHeight;
    const ControlPlacement placement = LayoutControls(state);

    Place(m_closeButton, placement.close);
    Place(m_maximiseButton, placement.maximise);
    Place(m_minimiseButton, placement.minimise);
    Place(m_aboutButton, placement.about);
    Place(m_smallPresetButton, placement.smallPreset);
    Place(m_mediumPresetButton, placement.mediumPreset);
    Place(m_largePresetButton, placement.largePreset);
    Place(m_gpsIndicator, placement.gpsIndicator);
    Place(m_compass, placement.compass);
    Place(m_speedReadout, placement.speed);
    Place(m_mapView, placement.map);
    Place(m_recordingList, placement.recordingList);
    Place(m_runList, placement.runList);
    Place(m_gsensorGraph, placement.gsensorGraph);
    Place(m_positionSlider, placement.positionSlider);
    Place(m_statusBoard, placement.statusBoard);
    Place(m_openButton, placement.open);
    Place(m_snapshotButton, placement.snapshot);
    Place(m_saveAsButton, placement.saveAs);
    Place(m_deleteButton, placement.remove);
    Place(m_slowerButton, placement.slower);
    Place(m_stopButton, placement.stop);
    Place(m_playButton, placement.play);
    Place(m_fasterButton, placement.faster);
    Place(m_muteButton, placement.mute);
    Place(m_volumeSlider, placement.volume);
    Place(m_loopButton, placement.loop);
    Place(m_kmlButton, placement.kml);
    Place(m_mapToggleButton, placement.mapToggle);
    Place(m_gsensorToggleButton, placement.gsensorToggle);
    Place(m_unlockButton, placement.unlock);
    // Without the map its splitter keeps the last hit area it had.
    if (placement.mapSplitter) {
        m_splitterRect[kMapSplitter] = *placement.mapSplitter;
    }
    if (placement.runListSplitter) {
        m_splitterRect[kRunListSplitter] = *placement.runListSplitter;
    }
    if (placement.columnSplitter) {
        m_splitterRect[kColumnSplitter] = *placement.columnSplitter;
    }
    m_videoFrame->setGeometry(placement.videoFrame);
    PlaceVideo();
}

void MainWindow::PlaceVideo() {
    int width = 0;
    int height = 0;
    const QSize videoSize =
        m_catalog.CurrentVideoSize(width, height) ? QSize(width, height) : QSize();
    m_videoSurface->setGeometry(
        FitVideo(m_videoFrame->geometry(), videoSize, m_fullScreen ? QSize(0, 0) : kEdgeInset));
}

void MainWindow::ShowControls(bool show) {
    m_gsensorGraph->setVisible(show && m_gsensorEnabled);
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_playButton,          m_stopButton,       m_slowerButton,   m_fasterButton,
             m_deleteButton,        m_saveAsButton,     m_snapshotButton, m_openButton,
             m_loopButton,          m_rotateButton,     m_kmlButton,      m_mapToggleButton,
             m_gsensorToggleButton, m_unlockButton,     m_positionSlider, m_volumeSlider,
             m_gpsIndicator,        m_closeButton,      m_maximiseButton, m_minimiseButton,
             m_aboutButton,         m_muteButton,       m_logo,           m_runList,
             m_recordingList,       m_speedReadout,     m_compass,        m_smallPresetButton,
             m_mediumPresetButton,  m_largePresetButton}) {
        control->setVisible(show);
    }
    m_statusBoard->hide();
    if (show && m_mapEnabled) {
        m_mapView->show();
    } else {
        m_mapView->setGeometry(0, 0, 1, 1);
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (size().isEmpty()) {
        return;
    }
    m_clientSize = size();
    setMask(WindowShape(m_clientSize, m_fullScreen));
    if (m_clientSize != m_laidOutSize) {
        ApplyLayout();
        m_laidOutSize = m_clientSize;
    }
    ReshowVideoAfterMinimise();
    update();
}

void MainWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Coming back from minimised brings no new size on X11: the window's
    // state tells instead.
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        ReshowVideoAfterMinimise();
    }
}

void MainWindow::ReshowVideoAfterMinimise() {
    if (m_reshowVideo) {
        m_reshowVideo = false;
        m_videoSurface->show();
    }
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(kGripLineColor, 1));
    const int right = width();
    const int bottom = height();
    for (const int offset : kGripLineOffsets) {
        painter.drawLine(right - offset, bottom, right, bottom - offset);
    }
    if (!m_fullScreen) {
        DrawTitleText(m_caption, painter, m_captionSize);
    }
}

QRect MainWindow::Monitor() const {
    const QScreen* monitor = screen();
    return monitor != nullptr ? monitor->geometry() : QRect(QPoint(0, 0), kMinimumWindowSize);
}

MainWindow::Drag MainWindow::DragAt(QPoint point) const {
    if (GripArea(size()).contains(point)) {
        return Drag::Grip;
    }
    if (m_splitterRect[kMapSplitter].contains(point)) {
        return Drag::MapSplitter;
    }
    if (m_splitterRect[kRunListSplitter].contains(point)) {
        return Drag::RunListSplitter;
    }
    if (m_splitterRect[kColumnSplitter].contains(point)) {
        return Drag::ColumnSplitter;
    }
    return Drag::None;
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    const Drag drag = DragAt(point);
    if (drag != Drag::None) {
        // The press keeps the mouse on this window until the release.
        m_drag = drag;
        return;
    }
    // Anywhere else the surface moves the window. The window system takes the
    // pointer for the move, so the grip and the splitters are tested first.
    if (!m_maximised && !m_fullScreen && windowHandle() != nullptr) {
        windowHandle()->startSystemMove();
    }
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_drag == Drag::None) {
        UpdateCursor(point);
        return;
    }
    DragTo(point);
}

void MainWindow::UpdateCursor(QPoint point) {
    switch (DragAt(point)) {
        case Drag::Grip:
            setCursor(Qt::SizeFDiagCursor);
            break;
        case Drag::MapSplitter:
        case Drag::RunListSplitter:
            setCursor(Qt::SizeVerCursor);
            break;
        case Drag::ColumnSplitter:
            setCursor(Qt::SizeHorCursor);
            break;
        case Drag::None:
            setCursor(Qt::ArrowCursor);
            break;
    }
}

void MainWindow::DragTo(QPoint point) {
    // The stored sizes are not limited here: the layout limits what it uses.
    switch (m_drag) {
        case Drag::Grip:
            if (!m_maximised && !m_fullScreen) {
                resize(GripDragSize(point));
                raise();
            }
            setCursor(Qt::SizeFDiagCursor);
            break;
        case Drag::MapSplitter:
            setCursor(Qt::SizeVerCursor);
            m_mapHeight = MapHeightForDrag(point.y());
            ApplyLayout();
            break;
        case Drag::RunListSplitter:
            setCursor(Qt::SizeVerCursor);
            m_groupListHeight = GroupListHeightForDrag(m_clientSize, point.y());
            ApplyLayout();
            m_gsensorGraph->update();
            break;
        case Drag::ColumnSplitter:
            setCursor(Qt::SizeHorCursor);
            m_rightPanelWidth = RightPanelWidthForDrag(m_clientSize, point.x());
            ApplyLayout();
            m_gsensorGraph->update();
            break;
        case Drag::None:
            break;
    }
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (m_drag == Drag::None) {
        QDialog::mouseReleaseEvent(event);
        return;
    }
    if (m_drag == Drag::Grip) {
        if (!m_maximised && !m_fullScreen) {
            resize(GripDragSize(event->position().toPoint()));
        }
    } else {
        ApplyLayout();
    }
    m_drag = Drag::None;
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mouseDoubleClickEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (m_speedReadout->geometry().contains(point)) {
        const QPoint local = m_speedReadout->mapFromParent(point);
        QMouseEvent forwarded(QEvent::MouseButtonDblClick, QPointF(local), event->globalPosition(),
                              Qt::LeftButton, event->buttons(), event->modifiers());
        QApplication::sendEvent(m_speedReadout, &forwarded);
        return;
    }
    ToggleMaximise();
}

void MainWindow::ApplyPreset(SizePreset preset) {
    m_maximised = false;
    setGeometry(PresetRect(preset, Monitor()));
}

void MainWindow::ToggleMaximise() {
    if (!m_maximised) {
        m_restoreRect = QRect(pos(), m_clientSize);
        setGeometry(Monitor());
        m_maximised = true;
    } else {
        setGeometry(m_restoreRect);
        m_maximised = false;
    }
    raise();
    show();
}

void MainWindow::Minimise() {
    showMinimized();
    m_reshowVideo = true;
}

void MainWindow::ToggleFullScreen() {
    if (m_catalog.Files().empty()) {
        return;
    }
    const bool loaded = m_player.IsLoaded();
    const bool wasPaused = loaded && m_player.IsPaused();
    if (!wasPaused && loaded) {
        m_player.Pause();
    }
    if (!m_fullScreen) {
        m_restoreRect = QRect(pos(), m_clientSize);
        m_fullScreen = true;
        m_maximised = false;
        ShowControls(false);
        setGeometry(FullScreenRect(Monitor(), m_clientSize));
        raise();
        show();
        m_playButton->setFocus();
        m_videoSurface->update();
    } else {
        m_fullScreen = false;
        ShowControls(true);
        setGeometry(m_restoreRect);
        raise();
        show();
    }
    if (!wasPaused && loaded) {
        m_player.Play();
    }
}

}  // namespace tavrel
