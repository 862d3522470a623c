#include "engineevents.h"

#include <vlc/vlc.h>

#include <utility>

#include <QMetaObject>
#include <QString>

#include "libvlcplayer.h"
#include "logging.h"
#include "startpending.h"

namespace tavrel {

namespace {

// Runs report on the player's thread once that thread gets to it. Posted
// calls to one object keep the order they were posted in, so the signals
// come in the order the engine reported the events.
template <class Report>
void Post(LibVlcPlayer* player, Report report) {
    QMetaObject::invokeMethod(player, std::move(report), Qt::QueuedConnection);
}

}  // namespace

void OnEngineEvent(const libvlc_event_t* event, void* context) {
    const auto* target = static_cast<const EngineEventContext*>(context);
    LibVlcPlayer* const player = target->player;
    switch (event->type) {
        case libvlc_MediaPlayerOpening:
            target->pendingSeekMs->store(0);
            Post(player, [player] { emit player->openingStarted(); });
            break;
        case libvlc_MediaPlayerStopped:
            Post(player, [player] { emit player->stopped(); });
            break;
        case libvlc_MediaPlayerPlaying:
            Post(player, [player] { emit player->stateChanged(LibVlcPlayer::State::Playing); });
            break;
        case libvlc_MediaPlayerPaused:
            target->pendingSeekMs->store(0);
            Post(player, [player] { emit player->stateChanged(LibVlcPlayer::State::Paused); });
            break;
        case libvlc_MediaPlayerEndReached:
            // The medium playing now: OpenMedia only moves to the next tag once
            // the engine has let the previous medium go, with its events.
            Post(player,
                 [player, mediaTag = player->MediaTag()] { emit player->endReached(mediaTag); });
            target->pendingSeekMs->store(0);
            break;
        case libvlc_MediaPlayerEncounteredError:
            Post(player, [player] {
                qCWarning(lcEngine)
                    << "The engine could not play" << QString::fromStdString(player->MediaPath());
                emit player->errorOccurred();
            });
            break;
        case libvlc_MediaPlayerTimeChanged:
            // The slider stays where the user put it until the seek is applied.
            if (target->pendingSeekMs->load() == 0) {
                // The time comes with the event: asking the player for it takes
                // the lock that Stop holds while it waits for this callback. The
                // displays take playing times as unsigned 32-bit milliseconds
                // (49 days), so the report keeps to that range.
                const qint64 timeMs =
                    static_cast<quint32>(event->u.media_player_time_changed.new_time);
                Post(player, [player, timeMs] {
                    emit player->timeChanged(timeMs);
                    emit player->positionChanged(timeMs);
                });
                g_startPending.store(0);
            }
            break;
        default:
            break;
    }
}

}  // namespace tavrel
