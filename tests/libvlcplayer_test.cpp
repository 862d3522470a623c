// The binding against the real libvlc: recordings from the generator played
// into a real X window, with the engine's events arriving as window messages.

#include "libvlcplayer.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <vlc/vlc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <QImage>
#include <QImageReader>
#include <QObject>
#include <QWidget>

#include "engineevents.h"
#include "qtsupport/runevents.h"
#include "samplegen.h"
#include "startpending.h"
#include "testsupport.h"
#include "windowmessage.h"

// LeakSanitizer can name the library behind a leak only while it is mapped,
// and libvlc unloads its plug-ins, and what they load, as it goes. Nothing is
// unloaded in this test process, so that libvlc-lsan.supp can name them.
extern "C" int dlclose(void*) noexcept {
    return 0;
}

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

struct Message {
    quint32 message;
    quintptr wParam;
};

// The main window as far as the engine is concerned: it collects the messages.
class MessageLog : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() != WindowMessageEvent::Type()) {
            return QObject::event(event);
        }
        const auto* message = static_cast<WindowMessageEvent*>(event);
        messages.push_back({message->message, message->wParam});
        return true;
    }

    std::vector<quintptr> Values(quint32 message) const {
        std::vector<quintptr> values;
        for (const Message& m : messages) {
            if (m.message == message) {
                values.push_back(m.wParam);
            }
        }
        return values;
    }
    // Runs the event loop until a message arrives that satisfies accept.
    template <class Accept>
    bool WaitFor(Accept accept, int timeoutMs = 10000) {
        const std::size_t from = messages.size();
        return test::RunEventsUntil(
            [&] { return std::any_of(messages.begin() + from, messages.end(), accept); },
            timeoutMs);
    }
    bool WaitForMessage(quint32 message, quintptr wParam, int timeoutMs = 10000) {
        return WaitFor([=](const Message& m) { return m.message == message && m.wParam == wParam; },
                       timeoutMs);
    }
    bool WaitForTime(int timeoutMs = 10000) {
        return WaitFor([](const Message& m) { return m.message == UM_PLAYER_TIME; }, timeoutMs);
    }

    std::vector<Message> messages;
};

// Sits between the engine and OnEngineEvent: it learns the player handle from
// the events, so the test can ask the engine what it holds, and can hold a
// time report up on the engine's thread.
struct Spy {
    MessageLog window;
    std::atomic<std::int64_t> pendingSeekMs{0};
    EngineEventContext context{&window, &pendingSeekMs};
    std::atomic<void*> player{nullptr};
    std::atomic<int> timeReportDelayMs{0};
    std::atomic<bool> inTimeReport{false};
};

void SpyOnEngineEvent(const libvlc_event_t* event, void* data) {
    auto* spy = static_cast<Spy*>(data);
    spy->player = event->p_obj;
    if (event->type == libvlc_MediaPlayerTimeChanged && spy->timeReportDelayMs > 0) {
        spy->inTimeReport = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(spy->timeReportDelayMs.load()));
    }
    OnEngineEvent(event, &spy->context);
    spy->inTimeReport = false;
}

// Asks the engine itself, through the library the binding loaded.
template <class Function>
Function* EngineEntry(const char* name) {
    static void* const library = ::dlopen(kEngineLibrary, RTLD_NOW | RTLD_LOCAL);
    return reinterpret_cast<Function*>(::dlsym(library, name));
}

int EngineVolume(void* player) {
    return EngineEntry<decltype(libvlc_audio_get_volume)>("libvlc_audio_get_volume")(
        static_cast<libvlc_media_player_t*>(player));
}

float EngineRate(void* player) {
    return EngineEntry<decltype(libvlc_media_player_get_rate)>("libvlc_media_player_get_rate")(
        static_cast<libvlc_media_player_t*>(player));
}

std::string MakeRecording(const std::string& name, int seconds) {
    samplegen::DriveSpec drive;
    drive.seconds = seconds;
    drive.width = kWidth;
    drive.height = kHeight;
    drive.framesPerSecond = 10;
    const fs::path path = test::FreshFolder(name) / "FILE0001.AVI";
    return test::WriteRecording(path, samplegen::BuildRecording(MakeDrivingRecording(drive)));
}

class LibVlcPlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_recording = MakeRecording("engine", 6); }

    void SetUp() override {
        m_surface.resize(kWidth, kHeight);
        m_surface.show();
        g_startPending = 0;
    }

    // Gives the player the surface and the events, opens the recording and
    // plays until the first time report.
    void StartPlaying(LibVlcPlayer& player, const std::string& path) {
        player.SetVideoWindow(m_surface.winId());
        player.AttachEvents(&SpyOnEngineEvent, &m_spy);
        player.OpenMedia(path);
        player.Play();
        ASSERT_TRUE(m_spy.window.WaitForTime()) << "no time report";
    }

    QWidget m_surface;
    Spy m_spy;
    LibVlcPlayer m_player;
    static std::string s_recording;
};

std::string LibVlcPlayerTest::s_recording;

TEST_F(LibVlcPlayerTest, PlaysWithIncreasingTimesEachFollowedByTheSliderUpdate) {
    ASSERT_TRUE(m_player.IsLoaded());
    g_startPending = 1;
    StartPlaying(m_player, s_recording);
    ASSERT_TRUE(m_spy.window.WaitFor(
        [&](const Message&) { return m_spy.window.Values(UM_PLAYER_TIME).size() >= 6; }));

    EXPECT_EQ(g_startPending.load(), 0);
    const std::vector<Message>& messages = m_spy.window.messages;
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front().message, UM_GPS_INDICATOR) << "opening turns the indicator off";
    const auto playing = std::find_if(messages.begin(), messages.end(), [](const Message& m) {
        return m.message == UM_PLAYER_STATE && m.wParam == 3;
    });
    const auto firstTime = std::find_if(messages.begin(), messages.end(), [](const Message& m) {
        return m.message == UM_PLAYER_TIME;
    });
    EXPECT_LT(playing, firstTime);
    for (auto m = firstTime; m != messages.end(); ++m) {
        if (m->message == UM_PLAYER_TIME) {
            ASSERT_NE(m + 1, messages.end());
            EXPECT_EQ((m + 1)->message, UM_UPDATE_SEEKBAR);
            EXPECT_EQ((m + 1)->wParam, m->wParam);
        }
    }
    const std::vector<quintptr> times = m_spy.window.Values(UM_PLAYER_TIME);
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
    EXPECT_LT(times.front(), times.back());

    EXPECT_NEAR(m_player.GetLength(), 6000, 200);
    EXPECT_GE(m_player.GetTime(), static_cast<std::int64_t>(times.back()));
    EXPECT_TRUE(m_player.ShowMarquee("2.0 X", kHeight / 10, true));
    EXPECT_TRUE(m_player.IsPlaying());
}

TEST_F(LibVlcPlayerTest, SeeksAndChangesTheRate) {
    StartPlaying(m_player, s_recording);

    m_player.SetTime(4000);
    EXPECT_TRUE(m_spy.window.WaitFor(
        [](const Message& m) { return m.message == UM_PLAYER_TIME && m.wParam >= 4000; }, 3000));

    m_player.SetRate(2.0f);
    EXPECT_FLOAT_EQ(EngineRate(m_spy.player), 2.0f);
    EXPECT_FLOAT_EQ(m_player.Rate(), 2.0f);
}

TEST_F(LibVlcPlayerTest, APendingSeekHoldsTimeReportsBackUntilClearedOrDropped) {
    StartPlaying(m_player, s_recording);

    m_spy.pendingSeekMs = 3000;
    // Let a report that was already past the check arrive.
    test::RunEventsFor(100);
    g_startPending = 1;
    m_spy.window.messages.clear();
    test::RunEventsFor(500);
    EXPECT_TRUE(m_spy.window.Values(UM_PLAYER_TIME).empty());
    EXPECT_TRUE(m_spy.window.Values(UM_UPDATE_SEEKBAR).empty());
    EXPECT_EQ(g_startPending.load(), 1);

    m_spy.pendingSeekMs = 0;
    EXPECT_TRUE(m_spy.window.WaitForTime());
    // Cleared right after the posts, so possibly after the message arrived.
    EXPECT_TRUE(test::RunEventsUntil([] { return g_startPending == 0; }, 1000));

    // Pausing and opening drop a pending seek.
    m_spy.pendingSeekMs = 3000;
    m_player.Pause();
    ASSERT_TRUE(m_spy.window.WaitForMessage(UM_PLAYER_STATE, 4));
    EXPECT_EQ(m_spy.pendingSeekMs.load(), 0);

    m_spy.pendingSeekMs = 3000;
    m_player.OpenMedia(s_recording);
    m_player.Play();
    EXPECT_TRUE(m_spy.window.WaitForTime());
    EXPECT_EQ(m_spy.pendingSeekMs.load(), 0);
}

TEST_F(LibVlcPlayerTest, PausesResumesAndStops) {
    StartPlaying(m_player, s_recording);

    m_player.Pause();
    EXPECT_TRUE(m_spy.window.WaitForMessage(UM_PLAYER_STATE, 4));
    EXPECT_FALSE(m_player.IsPlaying());
    EXPECT_TRUE(m_player.IsPaused());

    m_player.Play();
    EXPECT_TRUE(m_spy.window.WaitForMessage(UM_PLAYER_STATE, 3));
    EXPECT_TRUE(m_spy.window.WaitForTime());

    // Every Pause reaches the engine: the second one resumes it while the
    // flags still say paused.
    m_player.Pause();
    ASSERT_TRUE(m_spy.window.WaitForMessage(UM_PLAYER_STATE, 4));
    m_player.Pause();
    EXPECT_TRUE(m_spy.window.WaitForMessage(UM_PLAYER_STATE, 3));
    EXPECT_TRUE(m_player.IsPaused());

    m_player.Stop();
    EXPECT_FALSE(m_player.IsPlaying());
    EXPECT_FALSE(m_player.IsPaused());
    EXPECT_TRUE(m_spy.window.WaitForMessage(UM_GPS_INDICATOR, 0));
    m_spy.window.messages.clear();
    test::RunEventsFor(300);
    EXPECT_TRUE(m_spy.window.Values(UM_PLAYER_TIME).empty()) << "time reports after Stop";
    EXPECT_EQ(m_player.GetTime(), -1);
}

// The snapshot command pauses first. The files must decode, at the picture
// size, in the format the extension names.
TEST_F(LibVlcPlayerTest, SnapshotsOfThePausedPictureDecodeAtItsSize) {
    StartPlaying(m_player, s_recording);
    m_player.Pause();
    ASSERT_TRUE(m_spy.window.WaitForMessage(UM_PLAYER_STATE, 4));
    const fs::path folder = test::FreshFolder("snapshots");
    for (const auto& [name, format] :
         {std::pair{"snap.png", "png"}, std::pair{"snap.jpg", "jpeg"}}) {
        SCOPED_TRACE(name);
        const fs::path path = folder / name;
        m_player.TakeSnapshot(path.string());
        QImageReader reader(QString::fromStdString(path.string()));
        EXPECT_EQ(reader.format(), QByteArray(format));
        const QImage picture = reader.read();
        EXPECT_EQ(picture.size(), QSize(kWidth, kHeight)) << reader.errorString().toStdString();
    }
}

// The generated scene has sky above and the car's hood below: turned by 180
// degrees, the blue moves to the bottom.
bool SkyOnTop(const QImage& picture) {
    const auto blueness = [&](int top, int bottom) {
        double sum = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                sum += c.blue() - c.red();
            }
        }
        return sum;
    };
    const int band = picture.height() / 5;
    return blueness(0, band) > blueness(picture.height() - band, picture.height());
}

TEST_F(LibVlcPlayerTest, RecreatedEnginePlaysAgainTurnedOrNotWithTheVolumeKept) {
    m_player.SetVolume(60);
    StartPlaying(m_player, s_recording);
    const fs::path folder = test::FreshFolder("turned");
    for (const int mode : {1, 0}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        ASSERT_TRUE(m_player.RecreateEngine(mode));
        m_spy.window.messages.clear();
        m_player.SetVideoWindow(m_surface.winId());
        m_player.OpenMedia(s_recording);
        m_player.Play();
        ASSERT_TRUE(m_spy.window.WaitForMessage(UM_PLAYER_STATE, 3));
        ASSERT_TRUE(m_spy.window.WaitForTime());
        EXPECT_EQ(EngineVolume(m_spy.player), 60);

        const fs::path path = folder / ("mode" + std::to_string(mode) + ".png");
        m_player.TakeSnapshot(path.string());
        EXPECT_EQ(SkyOnTop(QImage(QString::fromStdString(path.string()))), mode == 0);
    }
}

TEST_F(LibVlcPlayerTest, AShortRecordingReachesItsEnd) {
    const std::string shortRecording = MakeRecording("short", 1);
    StartPlaying(m_player, shortRecording);
    m_spy.pendingSeekMs = 500;
    EXPECT_TRUE(m_spy.window.WaitForMessage(UM_PLAYER_END, 1));
    // Dropped right after the post.
    EXPECT_TRUE(test::RunEventsUntil([&] { return m_spy.pendingSeekMs == 0; }, 1000));
}

TEST_F(LibVlcPlayerTest, APathTheEngineCannotOpenIsReportedAsAnError) {
    m_player.SetVideoWindow(m_surface.winId());
    m_player.AttachEvents(&SpyOnEngineEvent, &m_spy);
    m_player.OpenMedia((test::FreshFolder("missing") / "FILE0001.AVI").string());
    m_player.Play();
    EXPECT_TRUE(m_spy.window.WaitForMessage(UM_PLAYER_ERROR, 1));
}

// Stop waits for the engine's threads while holding the player's lock; a
// callback that waited for this thread, or asked the player anything, would
// never return.
TEST_F(LibVlcPlayerTest, StopReturnsWhileATimeReportIsBeingHandled) {
    StartPlaying(m_player, s_recording);
    m_spy.timeReportDelayMs = 50;
    for (int round = 0; round < 3; ++round) {
        m_player.Play();
        ASSERT_TRUE(test::RunEventsUntil([&] { return m_spy.inTimeReport.load(); }, 10000));
        std::promise<void> stopped;
        std::thread watchdog([done = stopped.get_future()] {
            if (done.wait_for(10s) == std::future_status::timeout) {
                std::fprintf(stderr, "Stop never returned: the event callback blocks it\n");
                std::abort();
            }
        });
        m_player.Stop();
        stopped.set_value();
        watchdog.join();
    }
}

// Under AddressSanitizer: re-creating and destroying the engine while its
// events are still coming must neither touch freed memory nor leak.
TEST_F(LibVlcPlayerTest, RecreatedAndDestroyedWhileEventsArrive) {
    for (int round = 0; round < 3; ++round) {
        LibVlcPlayer player;
        StartPlaying(player, s_recording);
        ASSERT_TRUE(player.RecreateEngine(round % 2));
        player.SetVideoWindow(m_surface.winId());
        player.OpenMedia(s_recording);
        player.Play();
        ASSERT_TRUE(m_spy.window.WaitForTime());
    }
    test::RunEventsFor(100);
}

}  // namespace
}  // namespace tavrel
