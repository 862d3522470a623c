#include "mainwindow.h"

#include <utility>

#include <QPalette>
#include <QPixmap>

#include "appsettings.h"
#include "compass.h"
#include "gsensorgraph.h"
#include "languagetable.h"
#include "mapview.h"
#include "numberedresources.h"
#include "picturebutton.h"
#include "pictureids.h"
#include "pictureindicator.h"
#include "positionslider.h"
#include "recordinglist.h"
#include "runlist.h"
#include "speedreadout.h"
#include "statusboard.h"
#include "stringids.h"
#include "uimessagebox.h"
#include "videoframe.h"
#include "videosurface.h"
#include "volumeslider.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

namespace {

constexpr int kVolumeRange = 100;
// The engine's volume goes to 200: the slider's 100 is twice as loud as
// the recording.
constexpr int kEngineVolume = 200;
constexpr int kPlaybackRateIndex = 7;  // 1.0 X
constexpr float kNormalRate = 1.0f;

constexpr int kMarqueeIntervalMs = 300;
constexpr int kSeekIntervalMs = 500;
constexpr int kDeferredStartIntervalMs = 100;
constexpr int kStartGuardMs = 100'000;

constexpr QSize kCompassSize{32, 32};
constexpr QSize kFileButtonSize{48, 36};
constexpr QSize kToggleButtonSize{48, 48};

template <typename Widget>
Widget* Make(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1StringView(name));
    return widget;
}

PictureButton* MakeButton(QWidget* parent, const char* name, std::optional<Picture> picture,
                          std::optional<Picture> alternate = std::nullopt) {
    auto* button = Make<PictureButton>(parent, name);
    if (picture) {
        button->LoadStdImage(*picture);
    }
    if (alternate) {
        button->LoadAltImage(*alternate);
        button->EnableToggle();
    }
    // Only Enter on the play button may press a button: no other becomes
    // the default when it has the focus.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MainWindow::MainWindow(std::string engineLibrary, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_player(std::move(engineLibrary)) {
    // The settings keep the map type clamped and cached; the window keeps
    // its own copy.
    m_mapType = AppSettings::Instance().ReadMapType();

    QPalette background = palette();
    background.setColor(QPalette::Window, kBackgroundColor);
    setPalette(background);
    setAutoFillBackground(true);
    // Cursors over the grip and the splitters change without a button held.
    setMouseTracking(true);

    m_marqueeTimer.setInterval(kMarqueeIntervalMs);
    m_seekTimer.setInterval(kSeekIntervalMs);
    m_deferredStartTimer.setInterval(kDeferredStartIntervalMs);
    m_startGuardTimer.setInterval(kStartGuardMs);
    m_startGuardTimer.setSingleShot(true);

    CreateControls();
    ConnectSignals();
    InitDialog();
}

void MainWindow::CreateControls() {
    // Created in the order the controls stack, bottom first: the video
    // surface lies over its frame, the status board over the video.
    m_gsensorGraph = Make<GSensorGraph>(this, "gsensorGraph");
    m_videoFrame = Make<VideoFrame>(this, "videoFrame");
    m_videoSurface = Make<VideoSurface>(this, "videoSurface");
    m_playButton = MakeButton(this, "playButton", Picture::Play, Picture::Pause);
    m_stopButton = MakeButton(this, "stopButton", Picture::Stop);
    m_slowerButton = MakeButton(this, "slowerButton", Picture::Slower);
    m_fasterButton = MakeButton(this, "fasterButton", Picture::Faster);
    m_configButton = MakeButton(this, "configButton", std::nullopt);
    m_deleteButton = MakeButton(this, "deleteButton", Picture::Delete);
    m_saveAsButton = MakeButton(this, "saveAsButton", Picture::SaveAs);
    m_snapshotButton = MakeButton(this, "snapshotButton", Picture::Snapshot);
    m_openButton = MakeButton(this, "openButton", Picture::Open);
    m_loopButton =
        MakeButton(this, "loopButton", Picture::AutoPlayNextOn, Picture::AutoPlayNextOff);
    m_rotateButton = MakeButton(this, "rotateButton", std::nullopt);
    m_kmlButton = MakeButton(this, "kmlButton", Picture::Kml);
    m_mapToggleButton = MakeButton(this, "mapToggleButton", Picture::Map);
    m_gsensorToggleButton = MakeButton(this, "gsensorToggleButton", Picture::GSensor);
    m_unlockButton = MakeButton(this, "unlockButton", Picture::Unlock);
    m_positionSlider = Make<PositionSlider>(this, "positionSlider");
    m_volumeSlider = Make<VolumeSlider>(this, "volumeSlider");
    m_gpsIndicator = Make<PictureIndicator>(this, "gpsIndicator");
    m_closeButton = MakeButton(this, "closeButton", Picture::Close);
    m_maximiseButton = MakeButton(this, "maximiseButton", Picture::Maximise);
    m_minimiseButton = MakeButton(this, "minimiseButton", Picture::Minimise);
    m_aboutButton = MakeButton(this, "aboutButton", Picture::About);
    m_muteButton = MakeButton(this, "muteButton", Picture::Volume, Picture::Muted);
    m_logo = Make<PictureIndicator>(this, "logo");
    m_banner = Make<PictureIndicator>(this, "banner");
    m_runList = Make<RunList>(this, "runList");
    m_recordingList = Make<RecordingList>(this, "recordingList");
    m_compass = Make<Compass>(this, "compass");
    m_speedReadout = Make<SpeedReadout>(this, "speedReadout");
    m_smallPresetButton = MakeButton(this, "smallPresetButton", Picture::SmallWindow);
    m_mediumPresetButton = MakeButton(this, "mediumPresetButton", Picture::MediumWindow);
    m_largePresetButton = MakeButton(this, "largePresetButton", Picture::LargeWindow);
    m_statusBoard = Make<StatusBoard>(this, "statusBoard");
    // The board lies over the video: as a native window of its own it stays
    // above the engine's picture.
    m_statusBoard->setAttribute(Qt::WA_NativeWindow);
    m_mapView = Make<MapView>(this, "mapView");

    m_playButton->setDefault(true);
    m_gsensorGraph->resize(m_gsensorGraph->width(), kGSensorGraphHeight);

    // The window's own cursor marks the grip and the splitter gaps. The
    // controls keep the arrow rather than inherit the cursor the surface
    // showed last, at a gap's edge.
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        control->setCursor(Qt::ArrowCursor);
    }
}

void MainWindow::ConnectSignals() {
    connect(&m_player, &LibVlcPlayer::errorOccurred, this, &MainWindow::OnEngineError);
    connect(&m_player, &LibVlcPlayer::openingStarted, this, &MainWindow::OnNoFix);
    connect(&m_player, &LibVlcPlayer::stopped, this, &MainWindow::OnNoFix);
    connect(&m_player, &LibVlcPlayer::positionChanged, this, &MainWindow::OnPositionChanged);

    connect(m_videoSurface, &VideoSurface::doubleClicked, this, &MainWindow::ToggleFullScreen);
    connect(m_videoFrame, &VideoFrame::doubleClicked, this, &MainWindow::ToggleFullScreen);

    connect(m_closeButton, &PictureButton::clicked, this, &MainWindow::close);
    connect(m_maximiseButton, &PictureButton::clicked, this, &MainWindow::ToggleMaximise);
    connect(m_minimiseButton, &PictureButton::clicked, this, &MainWindow::Minimise);
    connect(m_aboutButton, &PictureButton::clicked, this, &MainWindow::ShowAbout);
    connect(m_smallPresetButton, &PictureButton::clicked, this,
            [this] { ApplyPreset(SizePreset::Small); });
    connect(m_mediumPresetButton, &PictureButton::clicked, this,
            [this] { ApplyPreset(SizePreset::Medium); });
    connect(m_largePresetButton, &PictureButton::clicked, this,
            [this] { ApplyPreset(SizePreset::Large); });
    connect(m_mapToggleButton, &PictureButton::clicked, this, &MainWindow::ToggleMap);
    connect(m_gsensorToggleButton, &PictureButton::clicked, this, &MainWindow::ToggleGSensor);
}

void MainWindow::InitDialog() {
    // The about item lives in the top bar's context menu (contextMenuEvent):
    // a frameless window has no system menu to add it to.
    setWindowIcon(QPixmap::fromImage(LoadPicture(Picture::ApplicationIcon)));

    AppSettings& settings = AppSettings::Instance();
    m_mapEnabled = settings.ReadInt(u"UI", u"MAP_ENABLE", 1) != 0;
    m_gsensorEnabled = settings.ReadInt(u"UI", u"GSNR_ENABLE", 1) != 0;
    m_gsensorGraph->setVisible(m_gsensorEnabled);

    InitEngine();

    m_positionSlider->setRange(0, kPositionRange);
    m_volumeSlider->setRange(0, kVolumeRange);
    m_volumeSlider->setValue(kVolumeRange);
    m_player.SetVolume(kEngineVolume);

    m_mapView->SetMapType(m_mapType);
    m_mapView->LoadMapPage();
    m_mapView->setVisible(m_mapEnabled);
    m_mapView->setEnabled(m_mapEnabled);

    SetUpPictures();
    setWindowTitle(m_caption);

    setGeometry(settings.LoadWindowRect());
    ApplyLayout();
    m_laidOutSize = size();

    m_statusBoard->SetFillTile(LoadBitmap(Bitmap::ProgressTile));
    m_statusBoard->update();

    m_toolTip.InitTooltip(this);
    RegisterTooltips();

    m_runList->SetUp();
    m_recordingList->SetUp();

    m_catalog.InitCatalog(m_runList, m_recordingList, this);
    m_catalog.BindVideoSurface(m_videoSurface);
    m_catalog.Telemetry().BindGraph(m_gsensorGraph);
    m_catalog.Telemetry().BindReadouts(m_compass, m_speedReadout);
    m_catalog.Telemetry().BindMap(m_mapView);
    m_tracks.BindMap(m_mapView);
    m_fileOperations.BindStatusBoard(m_statusBoard);

    m_seekTimer.start();
    m_deferredStartTimer.start();
}

void MainWindow::InitEngine() {
    if (!m_player.IsLoaded()) {
        // The window still works without video; every engine call is then
        // skipped by the player itself.
        ShowUiMessageBox(this, StringId::EngineLoadFailed, StringId::WarningCaption);
        return;
    }
    m_player.SetVideoWindow(m_videoSurface->winId());
    m_player.AttachEvents(m_pendingSeekMs);
    m_rateIndex = kPlaybackRateIndex;
    m_player.SetRate(kNormalRate);
}

void MainWindow::SetUpPictures() {
    for (PictureButton* button : {m_deleteButton, m_saveAsButton, m_snapshotButton, m_openButton}) {
        button->resize(kFileButtonSize);
    }
    for (PictureButton* button :
         {m_loopButton, m_kmlButton, m_mapToggleButton, m_gsensorToggleButton, m_unlockButton}) {
        button->resize(kToggleButtonSize);
    }
    for (PictureButton* button : {m_configButton, m_rotateButton}) {
        button->hide();
        button->setEnabled(false);
    }
    // Not shown until the controls are shown again after full screen.
    m_aboutButton->hide();

    m_gpsIndicator->SetImage(LoadPicture(Picture::GpsIndicator));
    m_gpsIndicator->SetActive(false);

    m_logo->SetImage(LoadPicture(Picture::Logo));
    m_logo->SetActive(true);
    m_logo->setGeometry(kLogoRect);

    // The banner has no picture to show; it stays an empty, disabled place.
    m_banner->setEnabled(false);
    m_banner->hide();

    // The design computes the heading and keeps its compass hidden; users
    // expect to see where the car points, so it stands in the top bar beside
    // the speed and goes with the other controls in full screen.
    m_compass->resize(kCompassSize);
    m_compass->LoadHeadingImages();
    m_compass->ShowNoHeading();

    m_videoFrame->show();
    m_speedReadout->SetSpeed(true, 0);
}

void MainWindow::RegisterTooltips() {
    m_toolTip.RemoveAllTools();
    const std::pair<QWidget*, StringId> tools[] = {
        {m_aboutButton, StringId::AboutTip},
        {m_configButton, StringId::ConfigurationTip},
        {m_deleteButton, StringId::DeleteTip},
        {m_closeButton, StringId::CloseTip},
        {m_fasterButton, StringId::FasterTip},
        {m_rotateButton, StringId::RotateTip},
        {m_gsensorToggleButton, StringId::GSensorTip},
        {m_kmlButton, StringId::KmlTip},
        {m_unlockButton, StringId::UnlockTip},
        {m_loopButton, StringId::AutoPlayNextTip},
        {m_mapToggleButton, StringId::MapTip},
        {m_maximiseButton, StringId::MaximiseTip},
        {m_minimiseButton, StringId::MinimiseTip},
        {m_openButton, StringId::OpenTip},
        {m_playButton, StringId::PlayPauseTip},
        {m_saveAsButton, StringId::SaveAsTip},
        {m_slowerButton, StringId::SlowerTip},
        {m_snapshotButton, StringId::SnapshotTip},
        {m_stopButton, StringId::StopTip},
        {m_muteButton, StringId::MuteTip},
        {m_volumeSlider, StringId::VolumeTip},
        {m_speedReadout, StringId::SpeedUnitTip},
        {m_smallPresetButton, StringId::SmallWindowTip},
        {m_mediumPresetButton, StringId::MediumWindowTip},
        {m_largePresetButton, StringId::LargeWindowTip},
    };
    const ToolEntry entry{std::nullopt, Bitmap::CheckMark};
    for (const auto& [window, label] : tools) {
        m_toolTip.AddTool(window, LoadUiString(label), entry);
    }
}

void MainWindow::OnLanguageChanged() {
    m_runList->ReloadColumnTitles();
    m_recordingList->ReloadColumnTitles();
    RegisterTooltips();
}

void MainWindow::OnMapChanged() {
    m_mapType = AppSettings::Instance().ReadMapType();
    m_mapView->SetMapType(m_mapType);
    m_mapView->LoadMapPage();
}

}  // namespace tavrel
