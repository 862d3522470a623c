#pragma once

#include <cstdint>
#include <string>

#include <QtGui/qwindowdefs.h>

// The engine's handles stay opaque outside the binding: only libvlcplayer.cpp
// sees the engine's declarations, and nothing links against the library.
struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_media_t;
struct libvlc_event_manager_t;
struct libvlc_event_t;
typedef void (*libvlc_callback_t)(const struct libvlc_event_t* p_event, void* p_data);

namespace tavrel {

// The engine library of Debian's libvlc5, found by the system's normal search.
inline constexpr char kEngineLibrary[] = "libvlc.so.5";

// The one binding to the media engine. It opens the library at run time and
// looks every entry point up by name when it calls it. Not loaded (library or
// entry point missing, no instance or player) is final: every operation then
// does nothing. All operations belong to the user-interface thread.
class LibVlcPlayer {
public:
    explicit LibVlcPlayer(std::string libraryName = kEngineLibrary);
    ~LibVlcPlayer();
    LibVlcPlayer(const LibVlcPlayer&) = delete;
    LibVlcPlayer& operator=(const LibVlcPlayer&) = delete;

    bool IsLoaded() const { return m_loaded; }
    // What the program last asked for, not what the engine reports.
    bool IsPlaying() const { return m_playing; }
    bool IsPaused() const { return m_paused; }
    int Volume() const { return m_volume; }
    float Rate() const { return m_rate; }
    const std::string& MediaPath() const { return m_mediaPath; }

    // The video surface's native X11 window (Qt's xcb platform).
    void SetVideoWindow(WId window);
    // Subscribes callback with context to the twelve engine events; they come
    // on the engine's threads (and Stopped on the thread that calls Stop).
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
    // ends in .jpg or .jpeg, else as PNG. Written when this returns.
    void TakeSnapshot(const std::string& pathUtf8);
    // Green text at the top left, shown until replaced; false when not loaded.
    bool ShowMarquee(const std::string& text, int size, bool enable);
    // A new instance and player built with the vector of the mode (1: turned
    // by 180 degrees); the events, if attached, and the volume carry over. The
    // caller gives the new player its window and medium again.
    bool RecreateEngine(int mode);

private:
    template <class Function>
    Function* Entry(const char* name) const;
    bool CreateEngine();
    void ReleaseEngine();
    void Unload();

    libvlc_instance_t* m_instance = nullptr;
    libvlc_media_player_t* m_player = nullptr;
    libvlc_media_t* m_media = nullptr;
    libvlc_event_manager_t* m_eventManager = nullptr;
    void* m_callbackContext = nullptr;
    libvlc_callback_t m_callback = nullptr;
    void* m_library = nullptr;
    std::string m_mediaPath;
    bool m_loaded = true;
    bool m_playing = false;
    bool m_paused = true;
    int m_argumentMode = 0;
    int m_volume = 200;
    float m_rate = 1.0f;
};

}  // namespace tavrel
