#include "engineevents.h"

#include <vlc/vlc.h>

#include "startpending.h"
#include "windowmessage.h"

namespace tavrel {

void OnEngineEvent(const libvlc_event_t* event, void* context) {
    const auto* target = static_cast<const EngineEventContext*>(context);
    switch (event->type) {
        case libvlc_MediaPlayerOpening:
            target->pendingSeekMs->store(0);
            PostWindowMessage(target->window, UM_GPS_INDICATOR, 0, 0);
            break;
        case libvlc_MediaPlayerStopped:
            PostWindowMessage(target->window, UM_GPS_INDICATOR, 0, 0);
            break;
        case libvlc_MediaPlayerPlaying:
            PostWindowMessage(target->window, UM_PLAYER_STATE, 3, 0);
            break;
        case libvlc_MediaPlayerPaused:
            target->pendingSeekMs->store(0);
            PostWindowMessage(target->window, UM_PLAYER_STATE, 4, 0);
            break;
        case libvlc_MediaPlayerEndReached:
            PostWindowMessage(target->window, UM_PLAYER_END, 1, 0);
            target->pendingSeekMs->store(0);
            break;
        case libvlc_MediaPlayerEncounteredError:
            PostWindowMessage(target->window, UM_PLAYER_ERROR, 1, 0);
            break;
        case libvlc_MediaPlayerTimeChanged:
            // The slider stays where the user put it until the seek is applied.
            if (target->pendingSeekMs->load() == 0) {
                // The time comes with the event: asking the player for it takes
                // the lock that Stop holds while it waits for this callback.
                const auto timeLow32 =
                    static_cast<quint32>(event->u.media_player_time_changed.new_time);
                PostWindowMessage(target->window, UM_PLAYER_TIME, timeLow32, 0);
                PostWindowMessage(target->window, UM_UPDATE_SEEKBAR, timeLow32, 0);
                g_startPending.store(0);
            }
            break;
        default:
            break;
    }
}

}  // namespace tavrel
