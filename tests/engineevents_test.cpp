// What the engine's event callback does with each event: the messages it posts
// to the main window and the shared fields it writes.

#include "engineevents.h"

#include <gtest/gtest.h>
#include <vlc/vlc.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QObject>

#include "qtsupport/runevents.h"
#include "startpending.h"
#include "windowmessage.h"

namespace tavrel {
namespace {

using Message = std::pair<quint32, quintptr>;

class MessageLog : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() != WindowMessageEvent::Type()) {
            return QObject::event(event);
        }
        const auto* message = static_cast<WindowMessageEvent*>(event);
        EXPECT_EQ(message->lParam, 0);
        messages.emplace_back(message->message, message->wParam);
        return true;
    }
    std::vector<Message> messages;
};

libvlc_event_t Event(libvlc_event_e type, libvlc_time_t timeMs = 0) {
    libvlc_event_t event{};
    event.type = type;
    if (type == libvlc_MediaPlayerTimeChanged) {
        event.u.media_player_time_changed.new_time = timeMs;
    }
    return event;
}

TEST(EngineEventsTest, EachEventPostsItsMessagesAndWritesItsFields) {
    struct Case {
        std::string name;
        libvlc_event_t event;
        std::int64_t pendingSeekBefore;
        std::vector<Message> posted;
        std::int64_t pendingSeekAfter;
        int startPendingAfter;
    };
    // Times travel as their low 32 bits, as the window message carries them.
    const libvlc_time_t longTime = (libvlc_time_t{1} << 32) + 61'234;
    const Case cases[] = {
        {"opening", Event(libvlc_MediaPlayerOpening), 700, {{UM_GPS_INDICATOR, 0}}, 0, 1},
        {"stopped", Event(libvlc_MediaPlayerStopped), 700, {{UM_GPS_INDICATOR, 0}}, 700, 1},
        {"playing", Event(libvlc_MediaPlayerPlaying), 700, {{UM_PLAYER_STATE, 3}}, 700, 1},
        {"paused", Event(libvlc_MediaPlayerPaused), 700, {{UM_PLAYER_STATE, 4}}, 0, 1},
        {"end reached", Event(libvlc_MediaPlayerEndReached), 700, {{UM_PLAYER_END, 1}}, 0, 1},
        {"error", Event(libvlc_MediaPlayerEncounteredError), 700, {{UM_PLAYER_ERROR, 1}}, 700, 1},
        {"time",
         Event(libvlc_MediaPlayerTimeChanged, 2'500),
         0,
         {{UM_PLAYER_TIME, 2'500}, {UM_UPDATE_SEEKBAR, 2'500}},
         0,
         0},
        {"long time",
         Event(libvlc_MediaPlayerTimeChanged, longTime),
         0,
         {{UM_PLAYER_TIME, 61'234}, {UM_UPDATE_SEEKBAR, 61'234}},
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
        MessageLog window;
        std::atomic<std::int64_t> pendingSeekMs{c.pendingSeekBefore};
        EngineEventContext context{&window, &pendingSeekMs};
        g_startPending = 1;

        OnEngineEvent(&c.event, &context);
        EXPECT_TRUE(window.messages.empty()) << "messages must be posted, never sent";
        test::RunEventsFor(20);

        EXPECT_EQ(window.messages, c.posted);
        EXPECT_EQ(pendingSeekMs.load(), c.pendingSeekAfter);
        EXPECT_EQ(g_startPending.load(), c.startPendingAfter);
    }
}

}  // namespace
}  // namespace tavrel

// Posted messages need an event loop, not a display.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
