// The binding against the real libvlc: recordings from the generator played
// into a real X window, with the engine's events arriving as the player's
// signals.

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
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <QImage>
#include <QImageReader>
#include <QWidget>

#include "engineevents.h"
#include "playersignallog.h"
#include "qtsupport/runevents.h"
#include "samplegen.h"
#include "startpending.h"
#include "testsupport.h"

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
using test::PlayerSignal;
using test::PlayerSignalLog;
using Kind = PlayerSignal::Kind;

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// Runs the event loop until a signal comes that satisfies accept.
template <class Accept>
bool WaitFor(const PlayerSignalLog& log, Accept accept, int timeoutMs = 10000) {
    const std::size_t from = log.reports.size();
    return test::RunEventsUntil(
        [&] { return std::any_of(log.reports.begin() + from, log.reports.end(), accept); },
        timeoutMs);
}
bool WaitForSignal(const PlayerSignalLog& log, const PlayerSignal& expected,
                   int timeoutMs = 10000) {
    return WaitFor(
        log, [&](const PlayerSignal& report) { return report == expected; }, timeoutMs);
}
bool WaitForTime(const PlayerSignalLog& log, int timeoutMs = 10000) {
    return WaitFor(
        log, [](const PlayerSignal& report) { return report.kind == Kind::Time; }, timeoutMs);
}

// Sits between the engine and OnEngineEvent on the engine's threads: it
// learns the engine's player handle from the events, so the test can ask the
// engine what it holds, and can hold a time report up there.
struct Spy {
    Spy(LibVlcPlayer& player, std::atomic<std::int64_t>& pendingSeekMs)
        : context{&player, &pendingSeekMs} {}

    EngineEventContext context;
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

    // Gives the player the surface and the events (as the window does, or
    // through the spy), opens the recording and plays until the first time
    // report.
    void StartPlaying(const std::string& path, bool spied = false) {
        m_player.SetVideoWindow(m_surface.winId());
        if (spied) {
            m_player.AttachEvents(&SpyOnEngineEvent, &m_spy);
        } else {
            m_player.AttachEvents(m_pendingSeekMs);
        }
        m_player.OpenMedia(path);
        m_player.Play();
        ASSERT_TRUE(WaitForTime(m_log)) << "no time report";
    }

    QWidget m_surface;
    std::atomic<std::int64_t> m_pendingSeekMs{0};
    LibVlcPlayer m_player;
    PlayerSignalLog m_log{m_player};
    Spy m_spy{m_player, m_pendingSeekMs};
    static std::string s_recording;
};

std::string LibVlcPlayerTest::s_recording;

TEST_F(LibVlcPlayerTest, PlaysWithIncreasingTimesEachFollowedByTheSliderUpdate) {
    ASSERT_TRUE(m_player.IsLoaded());
    g_startPending = 1;
    StartPlaying(s_recording);
    ASSERT_TRUE(
        WaitFor(m_log, [&](const PlayerSignal&) { return m_log.Values(Kind::Time).size() >= 6; }));

    EXPECT_EQ(g_startPending.load(), 0);
    const std::vector<PlayerSignal>& reports = m_log.reports;
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.front(), test::Opening()) << "opening turns the indicator off";
    const auto playing = std::find(reports.begin(), reports.end(), test::Playing());
    const auto firstTime = std::find_if(reports.begin(), reports.end(),
                                        [](const PlayerSignal& r) { return r.kind == Kind::Time; });
    EXPECT_LT(playing, firstTime);
    for (auto r = firstTime; r != reports.end(); ++r) {
        if (r->kind == Kind::Time) {
            ASSERT_NE(r + 1, reports.end());
            EXPECT_EQ(*(r + 1), test::Position(r->value));
        }
    }
    const std::vector<qint64> times = m_log.Values(Kind::Time);
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
    EXPECT_LT(times.front(), times.back());

    EXPECT_NEAR(m_player.GetLength(), 6000, 200);
    EXPECT_GE(m_player.GetTime(), times.back());
    EXPECT_TRUE(m_player.ShowMarquee("2.0 X", kHeight / 10, true));
    EXPECT_TRUE(m_player.IsPlaying());
}

TEST_F(LibVlcPlayerTest, SeeksAndChangesTheRate) {
    StartPlaying(s_recording, true);

    m_player.SetTime(4000);
    EXPECT_TRUE(WaitFor(
        m_log, [](const PlayerSignal& r) { return r.kind == Kind::Time && r.value >= 4000; },
        3000));

    m_player.SetRate(2.0f);
    EXPECT_FLOAT_EQ(EngineRate(m_spy.player), 2.0f);
    EXPECT_FLOAT_EQ(m_player.Rate(), 2.0f);
}

TEST_F(LibVlcPlayerTest, APendingSeekHoldsTimeReportsBackUntilClearedOrDropped) {
    StartPlaying(s_recording);

    m_pendingSeekMs = 3000;
    // Let a report that was already past the check arrive.
    test::RunEventsFor(100);
    g_startPending = 1;
    m_log.reports.clear();
    test::RunEventsFor(500);
    EXPECT_TRUE(m_log.Values(Kind::Time).empty());
    EXPECT_TRUE(m_log.Values(Kind::Position).empty());
    EXPECT_EQ(g_startPending.load(), 1);

    m_pendingSeekMs = 0;
    EXPECT_TRUE(WaitForTime(m_log));
    // Cleared right after the post, so possibly after the signal came.
    EXPECT_TRUE(test::RunEventsUntil([] { return g_startPending == 0; }, 1000));

    // Pausing and opening drop a pending seek.
    m_pendingSeekMs = 3000;
    m_player.Pause();
    ASSERT_TRUE(WaitForSignal(m_log, test::Paused()));
    EXPECT_EQ(m_pendingSeekMs.load(), 0);

    m_pendingSeekMs = 3000;
    m_player.OpenMedia(s_recording);
    m_player.Play();
    EXPECT_TRUE(WaitForTime(m_log));
    EXPECT_EQ(m_pendingSeekMs.load(), 0);
}

TEST_F(LibVlcPlayerTest, PausesResumesAndStops) {
    StartPlaying(s_recording);

    m_player.Pause();
    EXPECT_TRUE(WaitForSignal(m_log, test::Paused()));
    EXPECT_FALSE(m_player.IsPlaying());
    EXPECT_TRUE(m_player.IsPaused());

    m_player.Play();
    EXPECT_TRUE(WaitForSignal(m_log, test::Playing()));
    EXPECT_TRUE(WaitForTime(m_log));

    // Every Pause reaches the engine: the second one resumes it while the
    // flags still say paused.
    m_player.Pause();
    ASSERT_TRUE(WaitForSignal(m_log, test::Paused()));
    m_player.Pause();
    EXPECT_TRUE(WaitForSignal(m_log, test::Playing()));
    EXPECT_TRUE(m_player.IsPaused());

    m_player.Stop();
    EXPECT_FALSE(m_player.IsPlaying());
    EXPECT_FALSE(m_player.IsPaused());
    EXPECT_TRUE(WaitForSignal(m_log, test::Stopped()));
    m_log.reports.clear();
    test::RunEventsFor(300);
    EXPECT_TRUE(m_log.Values(Kind::Time).empty()) << "time reports after Stop";
    EXPECT_EQ(m_player.GetTime(), -1);
}

// The snapshot command pauses first. The files must decode, at the picture
// size, in the format the extension names, also where a file was before.
TEST_F(LibVlcPlayerTest, SnapshotsOfThePausedPictureDecodeAtItsSize) {
    StartPlaying(s_recording);
    m_player.Pause();
    ASSERT_TRUE(WaitForSignal(m_log, test::Paused()));
    const fs::path folder = test::FreshFolder("snapshots");
    std::ofstream(folder / "old.jpg") << "not a picture";
    for (const auto& [name, format] : {std::pair{"snap.png", "png"}, std::pair{"snap.jpg", "jpeg"},
                                       std::pair{"old.jpg", "jpeg"}}) {
        SCOPED_TRACE(name);
        const fs::path path = folder / name;
        EXPECT_TRUE(m_player.TakeSnapshot(path.string()));
        QImageReader reader(QString::fromStdString(path.string()));
        EXPECT_EQ(reader.format(), QByteArray(format));
        const QImage picture = reader.read();
        EXPECT_EQ(picture.size(), QSize(kWidth, kHeight)) << reader.errorString().toStdString();
    }
}

// Snapshots are evidence: one that was not written must not be reported as
// taken, nor leave a file that passes for it, nor destroy the file it was to
// replace. The marquee needs a picture to
// be drawn on.
TEST_F(LibVlcPlayerTest, ASnapshotOrMarqueeTheEngineDidNotMakeIsReportedAsFailed) {
    StartPlaying(s_recording);
    m_player.Pause();
    ASSERT_TRUE(WaitForSignal(m_log, test::Paused()));
    const fs::path folder = test::FreshFolder("failed-snapshots");
    for (const char* name : {"snap.png", "snap.jpg"}) {
        SCOPED_TRACE(name);
        const fs::path path = folder / "missing" / name;
        EXPECT_FALSE(m_player.TakeSnapshot(path.string()));
        EXPECT_FALSE(fs::exists(path));
    }

    m_player.Stop();
    ASSERT_TRUE(WaitForSignal(m_log, test::Stopped()));
    for (const char* name : {"snap.png", "snap.jpg"}) {
        SCOPED_TRACE(name);
        const fs::path path = folder / name;
        std::ofstream(path) << "a file from before";
        EXPECT_FALSE(m_player.TakeSnapshot(path.string())) << "no picture after Stop";
        std::string kept;
        std::getline(std::ifstream(path), kept);
        EXPECT_EQ(kept, "a file from before") << "a failed snapshot destroys nothing";
    }
    EXPECT_FALSE(m_player.ShowMarquee("2.0 X", kHeight / 10, true)) << "no picture after Stop";
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
    StartPlaying(s_recording, true);
    const fs::path folder = test::FreshFolder("turned");
    for (const int mode : {1, 0}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        ASSERT_TRUE(m_player.RecreateEngine(mode));
        m_log.reports.clear();
        m_player.SetVideoWindow(m_surface.winId());
        m_player.OpenMedia(s_recording);
        m_player.Play();
        ASSERT_TRUE(WaitForSignal(m_log, test::Playing()));
        ASSERT_TRUE(WaitForTime(m_log));
        EXPECT_EQ(EngineVolume(m_spy.player), 60);

        const fs::path path = folder / ("mode" + std::to_string(mode) + ".png");
        ASSERT_TRUE(m_player.TakeSnapshot(path.string()));
        EXPECT_EQ(SkyOnTop(QImage(QString::fromStdString(path.string()))), mode == 0);
    }
}

// The end names the medium that ended, so that a queued end of a medium that
// was replaced since can be told apart.
TEST_F(LibVlcPlayerTest, AShortRecordingReachesItsEndWithTheTagOfItsMedium) {
    const std::string shortRecording = MakeRecording("short", 1);
    StartPlaying(shortRecording);
    m_pendingSeekMs = 500;
    EXPECT_TRUE(WaitForSignal(m_log, test::End(1)));
    // Dropped right after the post.
    EXPECT_TRUE(test::RunEventsUntil([&] { return m_pendingSeekMs == 0; }, 1000));

    m_player.OpenMedia(shortRecording);
    m_player.Play();
    EXPECT_TRUE(WaitForSignal(m_log, test::End(2)));
    EXPECT_EQ(m_log.Values(Kind::End), (std::vector<qint64>{1, 2}));
}

TEST_F(LibVlcPlayerTest, APathTheEngineCannotOpenIsReportedAsAnError) {
    m_player.SetVideoWindow(m_surface.winId());
    m_player.AttachEvents(m_pendingSeekMs);
    m_player.OpenMedia((test::FreshFolder("missing") / "FILE0001.AVI").string());
    m_player.Play();
    EXPECT_TRUE(WaitForSignal(m_log, test::Error()));
}

// Stop waits for the engine's threads while holding the player's lock; a
// callback that waited for this thread, or asked the player anything, would
// never return.
TEST_F(LibVlcPlayerTest, StopReturnsWhileATimeReportIsBeingHandled) {
    StartPlaying(s_recording, true);
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
// events are still coming, and with signals still queued, must neither touch
// freed memory nor leak.
TEST_F(LibVlcPlayerTest, RecreatedAndDestroyedWhileEventsArrive) {
    for (int round = 0; round < 3; ++round) {
        LibVlcPlayer player;
        PlayerSignalLog log(player);
        player.SetVideoWindow(m_surface.winId());
        player.AttachEvents(m_pendingSeekMs);
        player.OpenMedia(s_recording);
        player.Play();
        ASSERT_TRUE(WaitForTime(log));
        ASSERT_TRUE(player.RecreateEngine(round % 2));
        player.SetVideoWindow(m_surface.winId());
        player.OpenMedia(s_recording);
        player.Play();
        ASSERT_TRUE(WaitForTime(log));
    }
    test::RunEventsFor(100);
}

}  // namespace
}  // namespace tavrel
