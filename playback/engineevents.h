#pragma once

#include <atomic>
#include <cstdint>

#include <QObject>

struct libvlc_event_t;

namespace tavrel {

// Posted by OnEngineEvent besides the player messages, so that the controls
// they touch are only changed on the user-interface thread. wParam: the GPS
// indicator's new state (the engine only ever turns it off, 0).
inline constexpr quint32 UM_GPS_INDICATOR = 0xC0E;
// Posted right after each UM_PLAYER_TIME, with the same wParam (the playing
// time's low 32 bits): the window moves its position slider to it.
inline constexpr quint32 UM_UPDATE_SEEKBAR = 0xC0F;

// What OnEngineEvent reaches of the main window. It must outlive the player
// the callback is attached to (releasing the player ends the callbacks).
struct EngineEventContext {
    QObject* window = nullptr;                           // receives every message
    std::atomic<std::int64_t>* pendingSeekMs = nullptr;  // the window's m_pendingSeekMs
};

// The engine's event callback, attached with an EngineEventContext as its
// context. Runs on the engine's threads, and on the user-interface thread
// inside Stop and SetTime: it only writes atomics and posts messages, and
// never waits for the user-interface thread nor calls back into the player.
void OnEngineEvent(const libvlc_event_t* event, void* context);

}  // namespace tavrel
