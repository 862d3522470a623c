#pragma once

#include <atomic>
#include <cstdint>

struct libvlc_event_t;

namespace tavrel {

class LibVlcPlayer;

// What OnEngineEvent reaches. Both must outlive the engine's player the
// callback is attached to (releasing that player ends the callbacks).
struct EngineEventContext {
    LibVlcPlayer* player = nullptr;                      // emits the signals on its own thread
    std::atomic<std::int64_t>* pendingSeekMs = nullptr;  // the window's pending seek
};

// The engine's event callback, attached with an EngineEventContext as its
// context. Runs on the engine's threads, and on the user-interface thread
// inside Stop and SetTime: it only writes atomics and queues the player's
// signals, and never waits for the user-interface thread nor calls into the
// engine (Stop holds the engine player's lock while it waits for this
// callback).
void OnEngineEvent(const libvlc_event_t* event, void* context);

}  // namespace tavrel
