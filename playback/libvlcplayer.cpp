#include "libvlcplayer.h"

#include <dlfcn.h>
#include <vlc/vlc.h>

#include <array>
#include <utility>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QTemporaryFile>

namespace tavrel {

namespace {

// libvlc 3 on Linux drops --plugin-path with the warning "option --plugin-path
// no longer exists" and loads its plug-ins from its own folder
// (/usr/lib/<arch>/vlc/plugins); the entry stays so the vectors keep their shape.
constexpr std::array<const char*, 4> kEngineArgsPlain = {"-I", "dummy", "--ignore-config",
                                                         "--plugin-path=./plugins"};
constexpr std::array<const char*, 7> kEngineArgsRotated = {"-I",
                                                           "dummy",
                                                           "--ignore-config",
                                                           "--plugin-path=./plugins",
                                                           "--file-caching=3000",
                                                           "--video-filter=transform",
                                                           "--transform-type=180"};

// libvlc 3 passes over this old option name silently; its decoder already
// tries hardware decoding by default.
constexpr char kMediaOption[] = ":ffmpeg-hw";

constexpr std::array<libvlc_event_e, 12> kEngineEvents = {
    libvlc_MediaPlayerPositionChanged,  // 268
    libvlc_MediaPlayerSeekableChanged,  // 269
    libvlc_MediaPlayerTimeChanged,      // 267
    libvlc_MediaStateChanged,           // 5
    libvlc_MediaPlayerMediaChanged,     // 256
    libvlc_MediaPlayerOpening,          // 258
    libvlc_MediaPlayerBuffering,        // 259
    libvlc_MediaPlayerPlaying,          // 260
    libvlc_MediaPlayerPaused,           // 261
    libvlc_MediaPlayerStopped,          // 262
    libvlc_MediaPlayerEndReached,       // 265
    libvlc_MediaPlayerEncounteredError  // 266
};

// Green in the low 24 bits, which are all the marquee reads.
constexpr unsigned kMarqueeColor = 0xFF00FF00u;

}  // namespace

LibVlcPlayer::LibVlcPlayer(std::string libraryName) {
    m_library = ::dlopen(libraryName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_library == nullptr || !CreateEngine()) {
        Unload();
        return;
    }
    auto* setVolume = Entry<decltype(libvlc_audio_set_volume)>("libvlc_audio_set_volume");
    if (setVolume == nullptr) {
        ReleaseEngine();
        Unload();
        return;
    }
    setVolume(m_player, m_volume);
}

LibVlcPlayer::~LibVlcPlayer() {
    if (!m_loaded) {
        return;
    }
    ReleaseEngine();
    Unload();
}

template <class Function>
Function* LibVlcPlayer::Entry(const char* name) const {
    return reinterpret_cast<Function*>(::dlsym(m_library, name));
}

// Builds instance, player and event manager with the vector of the argument
// mode. A missing entry point or a null handle leaves the binding not loaded,
// with whatever was made already released.
bool LibVlcPlayer::CreateEngine() {
    auto* create = Entry<decltype(libvlc_new)>("libvlc_new");
    auto* newPlayer = Entry<decltype(libvlc_media_player_new)>("libvlc_media_player_new");
    auto* eventManager =
        Entry<decltype(libvlc_media_player_event_manager)>("libvlc_media_player_event_manager");
    if (create == nullptr || newPlayer == nullptr || eventManager == nullptr) {
        return false;
    }
    m_instance =
        m_argumentMode == 1
            ? create(static_cast<int>(kEngineArgsRotated.size()), kEngineArgsRotated.data())
            : create(static_cast<int>(kEngineArgsPlain.size()), kEngineArgsPlain.data());
    if (m_instance != nullptr) {
        m_player = newPlayer(m_instance);
    }
    if (m_player != nullptr) {
        m_eventManager = eventManager(m_player);
    }
    if (m_eventManager == nullptr) {
        ReleaseEngine();
        return false;
    }
    return true;
}

void LibVlcPlayer::ReleaseEngine() {
    if (m_media != nullptr) {
        if (auto* release = Entry<decltype(libvlc_media_release)>("libvlc_media_release")) {
            release(m_media);
        }
        m_media = nullptr;
    }
    // Releasing the player stops it and waits for its threads, so no event
    // callback runs after this.
    if (m_player != nullptr) {
        if (auto* release =
                Entry<decltype(libvlc_media_player_release)>("libvlc_media_player_release")) {
            release(m_player);
        }
        m_player = nullptr;
        m_eventManager = nullptr;
    }
    if (m_instance != nullptr) {
        if (auto* release = Entry<decltype(libvlc_release)>("libvlc_release")) {
            release(m_instance);
        }
        m_instance = nullptr;
    }
}

void LibVlcPlayer::Unload() {
    m_loaded = false;
    if (m_library != nullptr) {
        ::dlclose(m_library);
        m_library = nullptr;
    }
}

void LibVlcPlayer::SetVideoWindow(WId window) {
    if (!m_loaded) {
        return;
    }
    // X11 window ids are 32-bit; WId only widens them.
    if (auto* setWindow =
            Entry<decltype(libvlc_media_player_set_xwindow)>("libvlc_media_player_set_xwindow")) {
        setWindow(m_player, static_cast<std::uint32_t>(window));
    }
}

void LibVlcPlayer::AttachEvents(libvlc_callback_t callback, void* context) {
    if (!m_loaded) {
        return;
    }
    m_callback = callback;
    m_callbackContext = context;
    auto* attach = Entry<decltype(libvlc_event_attach)>("libvlc_event_attach");
    if (attach == nullptr) {
        return;
    }
    for (const libvlc_event_e type : kEngineEvents) {
        attach(m_eventManager, type, callback, context);
    }
}

void LibVlcPlayer::OpenMedia(const std::string& pathUtf8) {
    if (!m_loaded) {
        return;
    }
    if (m_media != nullptr) {
        if (auto* release = Entry<decltype(libvlc_media_release)>("libvlc_media_release")) {
            release(m_media);
        }
        m_media = nullptr;
    }
    if (auto* setVolume = Entry<decltype(libvlc_audio_set_volume)>("libvlc_audio_set_volume")) {
        setVolume(m_player, m_volume);
    }
    m_mediaPath = pathUtf8;
    if (auto* newPath = Entry<decltype(libvlc_media_new_path)>("libvlc_media_new_path")) {
        m_media = newPath(m_instance, m_mediaPath.c_str());
    }
    // The engine only fails to make a media when out of memory; the player
    // then keeps the medium it had.
    if (m_media == nullptr) {
        return;
    }
    if (auto* addOption = Entry<decltype(libvlc_media_add_option)>("libvlc_media_add_option")) {
        addOption(m_media, kMediaOption);
    }
    if (auto* setMedia =
            Entry<decltype(libvlc_media_player_set_media)>("libvlc_media_player_set_media")) {
        setMedia(m_player, m_media);
    }
    // The surface's owner handles keys and clicks, not the engine's window.
    if (auto* keyInput =
            Entry<decltype(libvlc_video_set_key_input)>("libvlc_video_set_key_input")) {
        keyInput(m_player, 0);
    }
    if (auto* mouseInput =
            Entry<decltype(libvlc_video_set_mouse_input)>("libvlc_video_set_mouse_input")) {
        mouseInput(m_player, 0);
    }
}

void LibVlcPlayer::Play() {
    if (!m_loaded) {
        return;
    }
    if (auto* play = Entry<decltype(libvlc_media_player_play)>("libvlc_media_player_play")) {
        play(m_player);
    }
    m_playing = true;
    m_paused = false;
}

void LibVlcPlayer::Pause() {
    if (!m_loaded) {
        return;
    }
    m_playing = false;
    if (auto* pause = Entry<decltype(libvlc_media_player_pause)>("libvlc_media_player_pause")) {
        pause(m_player);
    }
    m_paused = true;
}

void LibVlcPlayer::Stop() {
    if (!m_loaded) {
        return;
    }
    if (auto* stop = Entry<decltype(libvlc_media_player_stop)>("libvlc_media_player_stop")) {
        stop(m_player);
    }
    m_playing = false;
    m_paused = false;
}

std::int64_t LibVlcPlayer::GetLength() const {
    if (!m_loaded) {
        return -1;
    }
    auto* getLength =
        Entry<decltype(libvlc_media_player_get_length)>("libvlc_media_player_get_length");
    return getLength != nullptr ? getLength(m_player) : -1;
}

std::int64_t LibVlcPlayer::GetTime() const {
    if (!m_loaded) {
        return -1;
    }
    auto* getTime = Entry<decltype(libvlc_media_player_get_time)>("libvlc_media_player_get_time");
    return getTime != nullptr ? getTime(m_player) : -1;
}

void LibVlcPlayer::SetTime(std::int64_t timeMs) {
    if (!m_loaded) {
        return;
    }
    if (auto* setTime =
            Entry<decltype(libvlc_media_player_set_time)>("libvlc_media_player_set_time")) {
        setTime(m_player, timeMs);
    }
}

void LibVlcPlayer::SetRate(float rate) {
    if (!m_loaded) {
        return;
    }
    m_rate = rate;
    if (auto* setRate =
            Entry<decltype(libvlc_media_player_set_rate)>("libvlc_media_player_set_rate")) {
        setRate(m_player, rate);
    }
}

void LibVlcPlayer::SetVolume(int volume) {
    if (!m_loaded) {
        return;
    }
    if (auto* setVolume = Entry<decltype(libvlc_audio_set_volume)>("libvlc_audio_set_volume")) {
        setVolume(m_player, volume);
    }
    m_volume = volume;
}

void LibVlcPlayer::SetMute(bool on) {
    if (!m_loaded) {
        return;
    }
    if (auto* setMute = Entry<decltype(libvlc_audio_set_mute)>("libvlc_audio_set_mute")) {
        setMute(m_player, on ? 1 : 0);
    }
}

void LibVlcPlayer::TakeSnapshot(const std::string& pathUtf8) {
    if (!m_loaded) {
        return;
    }
    auto* snapshot = Entry<decltype(libvlc_video_take_snapshot)>("libvlc_video_take_snapshot");
    if (snapshot == nullptr) {
        return;
    }
    const QString path =
        QString::fromUtf8(pathUtf8.data(), static_cast<qsizetype>(pathUtf8.size()));
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("jpg") && suffix != QLatin1String("jpeg")) {
        snapshot(m_player, 0, pathUtf8.c_str(), 0, 0);
        return;
    }
    // libvlc 3 writes every snapshot as PNG whatever the extension, so a JPEG
    // is made from a PNG snapshot taken aside (the engine writes it before
    // returning).
    QTemporaryFile png(QDir::tempPath() + QStringLiteral("/tavrel-snapshot-XXXXXX.png"));
    if (!png.open()) {
        return;
    }
    png.close();
    const QByteArray pngPath = png.fileName().toUtf8();
    if (snapshot(m_player, 0, pngPath.constData(), 0, 0) == 0) {
        // High quality: a snapshot may be kept as evidence of what happened.
        QImage(png.fileName(), "PNG").save(path, "JPEG", 95);
    }
}

bool LibVlcPlayer::ShowMarquee(const std::string& text, int size, bool enable) {
    if (!m_loaded) {
        return false;
    }
    if (auto* setString =
            Entry<decltype(libvlc_video_set_marquee_string)>("libvlc_video_set_marquee_string")) {
        setString(m_player, libvlc_marquee_Text, text.c_str());
    }
    auto* setInt = Entry<decltype(libvlc_video_set_marquee_int)>("libvlc_video_set_marquee_int");
    if (setInt == nullptr) {
        return true;
    }
    const std::array<std::pair<libvlc_video_marquee_option_t, int>, 7> options = {{
        {libvlc_marquee_Size, size},
        {libvlc_marquee_Opacity, 255},
        {libvlc_marquee_Color, static_cast<int>(kMarqueeColor)},
        {libvlc_marquee_Timeout, -1},
        {libvlc_marquee_X, 0},
        {libvlc_marquee_Y, 0},
        {libvlc_marquee_Enable, enable ? 1 : 0},
    }};
    for (const auto& [option, value] : options) {
        setInt(m_player, option, value);
    }
    return true;
}

bool LibVlcPlayer::RecreateEngine(int mode) {
    m_argumentMode = mode;
    if (!m_loaded || m_player == nullptr || m_instance == nullptr) {
        return false;
    }
    ReleaseEngine();
    // A failed re-creation is final, like a failed load: let the library go too.
    if (!CreateEngine()) {
        Unload();
        return false;
    }
    if (m_callback != nullptr) {
        AttachEvents(m_callback, m_callbackContext);
    }
    if (auto* setVolume = Entry<decltype(libvlc_audio_set_volume)>("libvlc_audio_set_volume")) {
        setVolume(m_player, m_volume);
    }
    return true;
}

}  // namespace tavrel
