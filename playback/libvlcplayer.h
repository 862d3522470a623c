#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include <QtGui/qwindowdefs.h>
#include <QObject>

#include "engineevents.h"

// The engine's handles stay opaque outside the binding: only the binding's
// sources see the engine's declarations, and nothing links against the library.
struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_media_t;
struct libvlc_event_manager_t;
struct libvlc_event_t;
typedef void (*libvlc_callback_t)(const struct libvlc_event_t* p_event, void* p_data);

namespace tavrel {

// The engine library of Debian's libvlc5, found by the system's normal search.
inline constexpr char kEngineLibrary[] = "libvlc.so.5";

// The entry points the binding calls, resolved once when the library is loaded.
struct EngineEntryPoints;

// The one binding to the media engine. It opens the library at run time and
// resolves every entry point it calls at once. Not loaded (library or entry
// point missing, no instance or player) is final: every operation then does
// nothing. All operations belong to the user-interface thread, where the
// engine's events arrive as the signals below, in the order the engine
// reported them.
class LibVlcPlayer : public QObject {
    Q_OBJECT

public:
    // What the engine reports it does (not what was asked, see IsPlaying).
    enum class State { Playing, Paused };
    Q_ENUM(State)

    explicit LibVlcPlayer(std::string libraryName = kEngineLibrary, QObject* parent = nullptr);
    ~LibVlcPlayer() override;

    bool IsLoaded() const { return m_loaded; }
    // What the program last asked for, not what the engine reports.
    bool IsPlaying() const { return m_playing; }
    bool IsPaused() const { return m_paused; }
    int Volume() const { return m_volume; }
    float Rate() const { return m_rate; }
    const std::string& MediaPath() const { return m_mediaPath; }
    // Numbers the media OpenMedia hands the engine, 1 for the first (0 before
    // any): endReached names the medium that ended with it, so that an end
    // still queued when another recording was opened can be told apart.
    // Safe from any thread.
    int MediaTag() const { return m_mediaTag.load(); }

    // The video surface's native X11 window (Qt's xcb platform).
    void SetVideoWindow(WId window);
    // Turns the engine's events into this player's signals. pendingSeekMs is
    // the window's pending seek: while it is not 0 the time reports are held
    // back, and opening, pausing and the end drop it. It must outlive the
    // player.
    void AttachEvents(std::atomic<std::int64_t>& pendingSeekMs);
    // Subscribes callback with context to the twelve engine events instead;
    // they come on the engine's threads (and Stopped on the thread that calls
    // Stop). For callers that must see the events there, as the tests do.
    void AttachEvents(libvlc_callback_t callback, void* context);
    void OpenMedia(const std::string& pathUtf8);
    void Play();
    // Always passed on: a second Pause lets the engine resume while the flags
    // still say paused.
    void Pause();
    void Stop();
    std::int64_t GetLength() const;  // ms; -1 when not loaded
    std::int64_t GetTime() const;    // ms; -1 when not loaded
    void SetTime(std::int64_t timeMs);
    void SetRate(float rate);
    void SetVolume(int volume);  // 0..200
    void SetMute(bool on);
    // The first video output at the picture's own size, as JPEG when the path
    // ends in .jpg or .jpeg, else as PNG, replacing any file at the path.
    // Written when this returns true; false when no snapshot file was written
    // (nothing loaded, no picture to take, or the file could not be saved).
    bool TakeSnapshot(const std::string& pathUtf8);
    // Green text at the top left, shown until replaced. False when not loaded
    // or when the engine did not take it (it shows text only on a picture
    // that is already being drawn, so a caller may try again later).
    bool ShowMarquee(const std::string& text, int size, bool enable);
    // A new instance and player built with the vector of the mode (1: turned
    // by 180 degrees); the events, if attached, and the volume carry over. The
    // caller gives the new player its window and medium again.
    bool RecreateEngine(int mode);

signals:
    // The engine cannot play the medium (for one it cannot open, too).
    void errorOccurred();
    void stateChanged(tavrel::LibVlcPlayer::State state);
    // Several times a second while playing, unless a seek is pending.
    void timeChanged(qint64 timeMs);
    // Right after each timeChanged, with the same time: where the position
    // slider goes.
    void positionChanged(qint64 timeMs);
    // The medium of mediaTag (see MediaTag) played to its end.
    void endReached(int mediaTag);
    // A medium is being opened, or the engine stopped: no GPS fix is shown
    // until the next time report.
    void openingStarted();
    void stopped();

private:
    bool CreateEngine();
    void ReleaseEngine();
    void Unload();
    void ApplyVolume(int volume);

    std::unique_ptr<const EngineEntryPoints> m_engine;
    libvlc_instance_t* m_instance = nullptr;
    libvlc_media_player_t* m_player = nullptr;
    libvlc_media_t* m_media = nullptr;
    libvlc_event_manager_t* m_eventManager = nullptr;
    EngineEventContext m_eventContext;
    void* m_callbackContext = nullptr;
    libvlc_callback_t m_callback = nullptr;
    void* m_library = nullptr;
    std::string m_mediaPath;
    std::atomic<int> m_mediaTag{0};
    bool m_loaded = true;
    bool m_playing = false;
    bool m_paused = true;
    int m_argumentMode = 0;
    int m_volume = 200;
    float m_rate = 1.0f;
};

}  // namespace tavrel
