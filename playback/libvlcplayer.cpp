#include "libvlcplayer.h"

#include <dlfcn.h>
#include <vlc/vlc.h>

#include <array>
#include <memory>
#include <type_traits>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <QTemporaryFile>

#include "logging.h"

namespace tavrel {

// Named as the library exports them, so that each call reads as the engine's
// documentation does.
struct EngineEntryPoints {
    decltype(&::libvlc_new) libvlc_new = nullptr;
    decltype(&::libvlc_release) libvlc_release = nullptr;
    decltype(&::libvlc_media_player_new) libvlc_media_player_new = nullptr;
    decltype(&::libvlc_media_player_release) libvlc_media_player_release = nullptr;
    decltype(&::libvlc_media_player_event_manager) libvlc_media_player_event_manager = nullptr;
    decltype(&::libvlc_event_attach) libvlc_event_attach = nullptr;
    decltype(&::libvlc_media_player_set_xwindow) libvlc_media_player_set_xwindow = nullptr;
    decltype(&::libvlc_media_new_path) libvlc_media_new_path = nullptr;
    decltype(&::libvlc_media_add_option) libvlc_media_add_option = nullptr;
    decltype(&::libvlc_media_release) libvlc_media_release = nullptr;
    decltype(&::libvlc_media_player_set_media) libvlc_media_player_set_media = nullptr;
    decltype(&::libvlc_video_set_key_input) libvlc_video_set_key_input = nullptr;
    decltype(&::libvlc_video_set_mouse_input) libvlc_video_set_mouse_input = nullptr;
    decltype(&::libvlc_media_player_play) libvlc_media_player_play = nullptr;
    decltype(&::libvlc_media_player_pause) libvlc_media_player_pause = nullptr;
    decltype(&::libvlc_media_player_stop) libvlc_media_player_stop = nullptr;
    decltype(&::libvlc_media_player_get_length) libvlc_media_player_get_length = nullptr;
    decltype(&::libvlc_media_player_get_time) libvlc_media_player_get_time = nullptr;
    decltype(&::libvlc_media_player_set_time) libvlc_media_player_set_time = nullptr;
    decltype(&::libvlc_media_player_set_rate) libvlc_media_player_set_rate = nullptr;
    decltype(&::libvlc_audio_set_volume) libvlc_audio_set_volume = nullptr;
    decltype(&::libvlc_audio_set_mute) libvlc_audio_set_mute = nullptr;
    decltype(&::libvlc_video_take_snapshot) libvlc_video_take_snapshot = nullptr;
    decltype(&::libvlc_video_set_marquee_string) libvlc_video_set_marquee_string = nullptr;
    decltype(&::libvlc_video_set_marquee_int) libvlc_video_set_marquee_int = nullptr;
    decltype(&::libvlc_video_get_marquee_int) libvlc_video_get_marquee_int = nullptr;
};

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

// High quality: a snapshot may be kept as evidence of what happened.
constexpr int kJpegQuality = 95;

// Every entry point or none: a binding that lacks one could not do what it
// is asked, and would do it without a word.
std::unique_ptr<const EngineEntryPoints> ResolveEntryPoints(void* library) {
    auto entries = std::make_unique<EngineEntryPoints>();
    bool complete = true;
    const auto resolve = [&](const char* name, auto& entry) {
        entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(::dlsym(library, name));
        if (entry == nullptr) {
            qCWarning(lcEngine) << "The engine library lacks" << name;
            complete = false;
        }
    };
    resolve("libvlc_new", entries->libvlc_new);
    resolve("libvlc_release", entries->libvlc_release);
    resolve("libvlc_media_player_new", entries->libvlc_media_player_new);
    resolve("libvlc_media_player_release", entries->libvlc_media_player_release);
    resolve("libvlc_media_player_event_manager", entries->libvlc_media_player_event_manager);
    resolve("libvlc_event_attach", entries->libvlc_event_attach);
    resolve("libvlc_media_player_set_xwindow", entries->libvlc_media_player_set_xwindow);
    resolve("libvlc_media_new_path", entries->libvlc_media_new_path);
    resolve("libvlc_media_add_option", entries->libvlc_media_add_option);
    resolve("libvlc_media_release", entries->libvlc_media_release);
    resolve("libvlc_media_player_set_media", entries->libvlc_media_player_set_media);
    resolve("libvlc_video_set_key_input", entries->libvlc_video_set_key_input);
    resolve("libvlc_video_set_mouse_input", entries->libvlc_video_set_mouse_input);
    resolve("libvlc_media_player_play", entries->libvlc_media_player_play);
    resolve("libvlc_media_player_pause", entries->libvlc_media_player_pause);
    resolve("libvlc_media_player_stop", entries->libvlc_media_player_stop);
    resolve("libvlc_media_player_get_length", entries->libvlc_media_player_get_length);
    resolve("libvlc_media_player_get_time", entries->libvlc_media_player_get_time);
    resolve("libvlc_media_player_set_time", entries->libvlc_media_player_set_time);
    resolve("libvlc_media_player_set_rate", entries->libvlc_media_player_set_rate);
    resolve("libvlc_audio_set_volume", entries->libvlc_audio_set_volume);
    resolve("libvlc_audio_set_mute", entries->libvlc_audio_set_mute);
    resolve("libvlc_video_take_snapshot", entries->libvlc_video_take_snapshot);
    resolve("libvlc_video_set_marquee_string", entries->libvlc_video_set_marquee_string);
    resolve("libvlc_video_set_marquee_int", entries->libvlc_video_set_marquee_int);
    resolve("libvlc_video_get_marquee_int", entries->libvlc_video_get_marquee_int);
    if (!complete) {
        return nullptr;
    }
    return entries;
}

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LibVlcPlayer::LibVlcPlayer(std::string libraryName, QObject* parent) : QObject(parent) {
    m_library = ::dlopen(libraryName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_library == nullptr) {
        qCWarning(lcEngine) << "The engine library cannot be loaded:" << ::dlerror();
        m_loaded = false;
        return;
    }
    m_engine = ResolveEntryPoints(m_library);
    if (m_engine == nullptr || !CreateEngine()) {
        Unload();
        return;
    }
    ApplyVolume(m_volume);
}

LibVlcPlayer::~LibVlcPlayer() {
    if (!m_loaded) {
        return;
    }
    ReleaseEngine();
    Unload();
}

// Builds instance, player and event manager with the vector of the argument
// mode. A null handle leaves the binding not loaded, with whatever was made
// already released.
bool LibVlcPlayer::CreateEngine() {
    m_instance = m_argumentMode == 1
                     ? m_engine->libvlc_new(static_cast<int>(kEngineArgsRotated.size()),
                                            kEngineArgsRotated.data())
                     : m_engine->libvlc_new(static_cast<int>(kEngineArgsPlain.size()),
                                            kEngineArgsPlain.data());
    if (m_instance != nullptr) {
        m_player = m_engine->libvlc_media_player_new(m_instance);
    }
    if (m_player != nullptr) {
        m_eventManager = m_engine->libvlc_media_player_event_manager(m_player);
    }
    if (m_eventManager == nullptr) {
        qCWarning(lcEngine) << "The engine could not be created:"
                            << (m_instance == nullptr ? "no instance"
                                : m_player == nullptr ? "no player"
                                                      : "no event manager");
        ReleaseEngine();
        return false;
    }
    return true;
}

void LibVlcPlayer::ReleaseEngine() {
    if (m_media != nullptr) {
        m_engine->libvlc_media_release(m_media);
        m_media = nullptr;
    }
    // Releasing the player stops it and waits for its threads, so no event
    // callback runs after this.
    if (m_player != nullptr) {
        m_engine->libvlc_media_player_release(m_player);
        m_player = nullptr;
        m_eventManager = nullptr;
    }
    if (m_instance != nullptr) {
        m_engine->libvlc_release(m_instance);
        m_instance = nullptr;
    }
}

void LibVlcPlayer::Unload() {
    m_loaded = false;
    m_engine.reset();
    if (m_library != nullptr) {
        ::dlclose(m_library);
        m_library = nullptr;
    }
}

void LibVlcPlayer::ApplyVolume(int volume) {
    if (m_engine->libvlc_audio_set_volume(m_player, volume) != 0) {
        qCWarning(lcEngine) << "The engine refused the volume" << volume;
    }
}

void LibVlcPlayer::SetVideoWindow(WId window) {
    if (!m_loaded) {
        return;
    }
    // X11 window ids are 32-bit; WId only widens them.
    m_engine->libvlc_media_player_set_xwindow(m_player, static_cast<std::uint32_t>(window));
}

void LibVlcPlayer::AttachEvents(std::atomic<std::int64_t>& pendingSeekMs) {
    m_eventContext = {this, &pendingSeekMs};
    AttachEvents(&OnEngineEvent, &m_eventContext);
}

void LibVlcPlayer::AttachEvents(libvlc_callback_t callback, void* context) {
    if (!m_loaded) {
        return;
    }
    m_callback = callback;
    m_callbackContext = context;
    for (const libvlc_event_e type : kEngineEvents) {
        if (m_engine->libvlc_event_attach(m_eventManager, type, callback, context) != 0) {
            qCWarning(lcEngine) << "The engine refused a subscription to event" << type;
        }
    }
}

void LibVlcPlayer::OpenMedia(const std::string& pathUtf8) {
    if (!m_loaded) {
        return;
    }
    if (m_media != nullptr) {
        m_engine->libvlc_media_release(m_media);
        m_media = nullptr;
    }
    ApplyVolume(m_volume);
    m_mediaPath = pathUtf8;
    m_media = m_engine->libvlc_media_new_path(m_instance, m_mediaPath.c_str());
    // The engine only fails to make a media when out of memory. The calls
    // that would set the medium up are skipped then rather than handed a
    // null one, and the player keeps the medium it had.
    if (m_media == nullptr) {
        qCWarning(lcEngine) << "The engine could not take the medium" << FromUtf8(m_mediaPath);
        return;
    }
    m_engine->libvlc_media_add_option(m_media, kMediaOption);
    m_engine->libvlc_media_player_set_media(m_player, m_media);
    // The engine has stopped the previous medium and delivered its last
    // events by now: from here on an end report is this medium's.
    ++m_mediaTag;
    // The surface's owner handles keys and clicks, not the engine's window.
    m_engine->libvlc_video_set_key_input(m_player, 0);
    m_engine->libvlc_video_set_mouse_input(m_player, 0);
}

void LibVlcPlayer::Play() {
    if (!m_loaded) {
        return;
    }
    if (m_engine->libvlc_media_player_play(m_player) != 0) {
        qCWarning(lcEngine) << "The engine could not start" << FromUtf8(m_mediaPath);
    }
    m_playing = true;
    m_paused = false;
}

void LibVlcPlayer::Pause() {
    if (!m_loaded) {
        return;
    }
    m_playing = false;
    m_engine->libvlc_media_player_pause(m_player);
    m_paused = true;
}

void LibVlcPlayer::Stop() {
    if (!m_loaded) {
        return;
    }
    m_engine->libvlc_media_player_stop(m_player);
    m_playing = false;
    m_paused = false;
}

std::int64_t LibVlcPlayer::GetLength() const {
    return m_loaded ? m_engine->libvlc_media_player_get_length(m_player) : -1;
}

std::int64_t LibVlcPlayer::GetTime() const {
    return m_loaded ? m_engine->libvlc_media_player_get_time(m_player) : -1;
}

void LibVlcPlayer::SetTime(std::int64_t timeMs) {
    if (!m_loaded) {
        return;
    }
    m_engine->libvlc_media_player_set_time(m_player, timeMs);
}

void LibVlcPlayer::SetRate(float rate) {
    if (!m_loaded) {
        return;
    }
    m_rate = rate;
    if (m_engine->libvlc_media_player_set_rate(m_player, rate) != 0) {
        qCWarning(lcEngine) << "The engine refused the rate" << rate;
    }
}

void LibVlcPlayer::SetVolume(int volume) {
    if (!m_loaded) {
        return;
    }
    ApplyVolume(volume);
    m_volume = volume;
}

void LibVlcPlayer::SetMute(bool on) {
    if (!m_loaded) {
        return;
    }
    m_engine->libvlc_audio_set_mute(m_player, on ? 1 : 0);
}

bool LibVlcPlayer::TakeSnapshot(const std::string& pathUtf8) {
    if (!m_loaded) {
        return false;
    }
    const QString path = FromUtf8(pathUtf8);
    // The engine writes every snapshot as PNG whatever the extension, and
    // reports success even when it wrote nothing (no picture, a folder it
    // cannot write to), so it writes aside and only a picture that decodes
    // counts. The chosen file is replaced as a whole once the new picture is
    // saved: a failed snapshot leaves a file from before as it was.
    QTemporaryFile aside(QDir::tempPath() + QStringLiteral("/tavrel-snapshot-XXXXXX.png"));
    if (!aside.open()) {
        qCWarning(lcFiles) << "No room for the snapshot's picture:" << aside.errorString();
        return false;
    }
    aside.close();
    const QByteArray asidePath = aside.fileName().toUtf8();
    QImage picture;
    if (m_engine->libvlc_video_take_snapshot(m_player, 0, asidePath.constData(), 0, 0) == 0) {
        picture.load(aside.fileName(), "PNG");
    }
    if (picture.isNull()) {
        qCWarning(lcFiles) << "The engine gave no picture for the snapshot" << path;
        return false;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool jpeg = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        !picture.save(&file, jpeg ? "JPEG" : "PNG", jpeg ? kJpegQuality : -1) || !file.commit()) {
        qCWarning(lcFiles) << "The snapshot could not be saved as" << path << file.errorString();
        return false;
    }
    return true;
}

bool LibVlcPlayer::ShowMarquee(const std::string& text, int size, bool enable) {
    if (!m_loaded) {
        return false;
    }
    m_engine->libvlc_video_set_marquee_string(m_player, libvlc_marquee_Text, text.c_str());
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
        m_engine->libvlc_video_set_marquee_int(m_player, option, value);
    }
    // libvlc 3 drops the switch without a word while no picture is drawn yet;
    // what it reads back is what it shows.
    if (m_engine->libvlc_video_get_marquee_int(m_player, libvlc_marquee_Enable) !=
        (enable ? 1 : 0)) {
        // Expected right after a start, which is why the window tries again:
        // worth a line only when asked for.
        qCDebug(lcEngine) << "The engine did not take the marquee" << FromUtf8(text);
        return false;
    }
    return true;
}

bool LibVlcPlayer::RecreateEngine(int mode) {
    m_argumentMode = mode;
    if (!m_loaded || m_player == nullptr || m_instance == nullptr) {
        return false;
    }
    ReleaseEngine();
    // A failed re-creation is final, like a failed load: let the library go
    // too, so that every later call returns at once as it does after one.
    if (!CreateEngine()) {
        Unload();
        return false;
    }
    if (m_callback != nullptr) {
        AttachEvents(m_callback, m_callbackContext);
    }
    ApplyVolume(m_volume);
    return true;
}

}  // namespace tavrel
