// What the engine's event callback does with each event: the player's signals
// it queues and the shared fields it writes.

#include "engineevents.h"

#include <gtest/gtest.h>
#include <vlc/vlc.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QThread>

#include "libvlcplayer.h"
#include "playersignallog.h"
#include "qtsupport/runevents.h"
#include "startpending.h"

namespace tavrel {
namespace {

using test::End;
using test::Error;
using test::Opening;
using test::Paused;
using test::PlayerSignal;
using test::PlayerSignalLog;
using test::Playing;
using test::Position;
using test::Stopped;
using test::Time;

libvlc_event_t Event(libvlc_event_e type, libvlc_time_t timeMs = 0) {
    libvlc_event_t event{};
    event.type = type;
    if (type == libvlc_MediaPlayerTimeChanged) {
        event.u.media_player_time_changed.new_time = timeMs;
    }
    return event;
}

TEST(EngineEventsTest, EachEventQueuesItsSignalsAndWritesItsFields) {
    struct Case {
        std::string name;
        libvlc_event_t event;
        std::int64_t pendingSeekBefore;
        std::vector<PlayerSignal> queued;
        std::int64_t pendingSeekAfter;
        int startPendingAfter;
    };
    // Times travel as unsigned 32-bit milliseconds, as the displays take them.
    const libvlc_time_t longTime = (libvlc_time_t{1} << 32) + 61'234;
    const Case cases[] = {
        {"opening", Event(libvlc_MediaPlayerOpening), 700, {Opening()}, 0, 1},
        {"stopped", Event(libvlc_MediaPlayerStopped), 700, {Stopped()}, 700, 1},
        {"playing", Event(libvlc_MediaPlayerPlaying), 700, {Playing()}, 700, 1},
        {"paused", Event(libvlc_MediaPlayerPaused), 700, {Paused()}, 0, 1},
        // The player has opened one medium, whose tag is 1.
        {"end reached", Event(libvlc_MediaPlayerEndReached), 700, {End(1)}, 0, 1},
        {"error", Event(libvlc_MediaPlayerEncounteredError), 700, {Error()}, 700, 1},
        {"time",
         Event(libvlc_MediaPlayerTimeChanged, 2'500),
         0,
         {Time(2'500), Position(2'500)},
         0,
         0},
        {"long time",
         Event(libvlc_MediaPlayerTimeChanged, longTime),
         0,
         {Time(61'234), Position(61'234)},
         0,
         0},
        {"time while a seek is pending",
         Event(libvlc_MediaPlayerTimeChanged, 2'500),
         700,
         {},
         700,
         1},
        {"position", Event(libvlc_MediaPlayerPositionChanged), 700, {}, 700, 1},
        {"seekable", Event(libvlc_MediaPlayerSeekableChanged), 700, {}, 700, 1},
        {"media state", Event(libvlc_MediaStateChanged), 700, {}, 700, 1},
        {"media changed", Event(libvlc_MediaPlayerMediaChanged), 700, {}, 700, 1},
        {"buffering", Event(libvlc_MediaPlayerBuffering), 700, {}, 700, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
        player.OpenMedia("/card/FILE0001.AVI");
        PlayerSignalLog log(player);
        std::atomic<std::int64_t> pendingSeekMs{c.pendingSeekBefore};
        EngineEventContext context{&player, &pendingSeekMs};
        g_startPending = 1;

        OnEngineEvent(&c.event, &context);
        EXPECT_TRUE(log.reports.empty()) << "signals must be queued, never emitted in the callback";
        test::RunEventsFor(20);

        EXPECT_EQ(log.reports, c.queued);
        EXPECT_EQ(pendingSeekMs.load(), c.pendingSeekAfter);
        EXPECT_EQ(g_startPending.load(), c.startPendingAfter);
    }
}

// The engine reports on its own threads; the window must get the signals on
// its own, in the order the engine reported the events.
TEST(EngineEventsTest, EventsFromAnEngineThreadArriveOnThePlayersThreadInOrder) {
    LibVlcPlayer player(TAVREL_FAKE_LIBVLC);
    player.OpenMedia("/card/FILE0001.AVI");
    player.OpenMedia("/card/FILE0002.AVI");
    PlayerSignalLog log(player);
    int offThread = 0;
    const auto countOffThread = [&] { offThread += QThread::currentThread() != player.thread(); };
    QObject receiver;
    QObject::connect(&player, &LibVlcPlayer::openingStarted, &receiver, countOffThread);
    QObject::connect(&player, &LibVlcPlayer::stateChanged, &receiver, countOffThread);
    QObject::connect(&player, &LibVlcPlayer::timeChanged, &receiver, countOffThread);
    QObject::connect(&player, &LibVlcPlayer::endReached, &receiver, countOffThread);
    std::atomic<std::int64_t> pendingSeekMs{0};
    EngineEventContext context{&player, &pendingSeekMs};

    std::thread engine([&] {
        for (const libvlc_event_t& event :
             {Event(libvlc_MediaPlayerOpening), Event(libvlc_MediaPlayerPlaying),
              Event(libvlc_MediaPlayerTimeChanged, 100), Event(libvlc_MediaPlayerTimeChanged, 200),
              Event(libvlc_MediaPlayerPaused), Event(libvlc_MediaPlayerPlaying),
              Event(libvlc_MediaPlayerTimeChanged, 300), Event(libvlc_MediaPlayerEndReached)}) {
            OnEngineEvent(&event, &context);
        }
    });
    engine.join();
    test::RunEventsFor(20);

    EXPECT_EQ(log.reports,
              (std::vector<PlayerSignal>{Opening(), Playing(), Time(100), Position(100), Time(200),
                                         Position(200), Paused(), Playing(), Time(300),
                                         Position(300), End(2)}));
    EXPECT_EQ(offThread, 0);
}

}  // namespace
}  // namespace tavrel

// Queued signals need an event loop, not a display.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
