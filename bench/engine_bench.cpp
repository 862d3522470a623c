// How long the main window waits for the engine: from OpenMedia + Play to the
// first timeChanged handled on the user-interface thread, and from SetTime
// to the next one (and to the first from playback at the new place), with the
// real libvlc drawing into an X window. Run it under xvfb-run; each figure is
// one measurement, repeated 20 times.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include "libvlcplayer.h"
#include "samplegen.h"

namespace {

namespace fs = std::filesystem;
using namespace tavrel;
using Clock = std::chrono::steady_clock;

constexpr int kTimeoutMs = 10000;

// Stands in for the main window: runs the event loop until a time report
// that the caller accepts has been handled.
class TimeReports : public QObject {
public:
    explicit TimeReports(LibVlcPlayer& player) {
        connect(&player, &LibVlcPlayer::timeChanged, this, [this](qint64 timeMs) {
            if (m_loop != nullptr && m_accept(timeMs)) {
                m_handledAt = Clock::now();
                m_loop->quit();
            }
        });
    }

    // The moment the accepted report was handled; false on a timeout.
    bool WaitFor(const std::function<bool(qint64)>& accept, Clock::time_point& handledAt) {
        QEventLoop loop;
        m_accept = accept;
        m_handledAt = {};
        m_loop = &loop;
        QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
        m_loop = nullptr;
        handledAt = m_handledAt;
        return handledAt != Clock::time_point{};
    }

    // Handles whatever is still queued, so that old reports cannot count.
    void Drain() {
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }

private:
    QEventLoop* m_loop = nullptr;
    std::function<bool(qint64)> m_accept;
    Clock::time_point m_handledAt;
};

struct Engine {
    QWidget surface;
    std::atomic<std::int64_t> pendingSeekMs{0};
    LibVlcPlayer player;
    TimeReports reports{player};
    std::string recording;
};

Engine* g_engine = nullptr;

void StartPlaying(benchmark::State& state) {
    Engine& e = *g_engine;
    e.player.Stop();
    e.reports.Drain();
    const Clock::time_point start = Clock::now();
    e.player.OpenMedia(e.recording);
    e.player.Play();
    Clock::time_point handled;
    if (!e.reports.WaitFor([](qint64) { return true; }, handled)) {
        state.SkipWithError("no time report after Play");
        return;
    }
    state.SetIterationTime(std::chrono::duration<double>(handled - start).count());
}

void BM_OpenPlayToFirstTimeReport(benchmark::State& state) {
    for (auto _ : state) {
        StartPlaying(state);
    }
}

// Plays the recording from its start and times one seek. With past set, the
// report waited for is the first one past the target, from playback at the
// new place; otherwise any report near the target counts, which is the one
// libvlc sends from inside SetTime itself.
void MeasureSeek(benchmark::State& state, bool past) {
    Engine& e = *g_engine;
    // Targets far from the start and from each other, so that no report from
    // before the seek can pass for one after it.
    static const std::array<std::int64_t, 4> kTargets = {2000, 6000, 3000, 7000};
    static std::size_t next = 0;
    e.player.Stop();
    e.reports.Drain();
    e.player.OpenMedia(e.recording);
    e.player.Play();
    Clock::time_point ignored;
    if (!e.reports.WaitFor([](qint64) { return true; }, ignored)) {
        state.SkipWithError("no time report after Play");
        return;
    }
    for (auto _ : state) {
        const std::int64_t target = kTargets[next++ % kTargets.size()];
        const auto accept = [target, past](qint64 timeMs) {
            return timeMs >= (past ? target + 1 : target - 200) && timeMs < target + 1000;
        };
        const Clock::time_point start = Clock::now();
        e.player.SetTime(target);
        Clock::time_point handled;
        if (!e.reports.WaitFor(accept, handled)) {
            state.SkipWithError("no time report after SetTime");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(handled - start).count());
    }
}

void BM_SetTimeToNextTimeReport(benchmark::State& state) {
    MeasureSeek(state, false);
}

void BM_SetTimeToPlayingTimeReport(benchmark::State& state) {
    MeasureSeek(state, true);
}

double Worst(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

// Twenty single runs each, reported as their median, mean and worst.
void LatencyRuns(benchmark::internal::Benchmark* benchmark) {
    benchmark->Iterations(1)
        ->Repetitions(20)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("max", Worst)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_OpenPlayToFirstTimeReport)->Apply(LatencyRuns);
BENCHMARK(BM_SetTimeToNextTimeReport)->Apply(LatencyRuns);
BENCHMARK(BM_SetTimeToPlayingTimeReport)->Apply(LatencyRuns);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The program draws video through Qt's xcb platform, so the bench does too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication application(argc, argv);

    const fs::path folder =
        fs::temp_directory_path() / ("tavrel-engine-bench-" + std::to_string(::getpid()));
    samplegen::DriveSpec drive;
    drive.seconds = 10;
    drive.width = 320;
    drive.height = 240;
    drive.framesPerSecond = 10;
    const fs::path recording = folder / "FILE0001.AVI";
    samplegen::WriteFile(recording,
                         samplegen::BuildRecording(MakeDrivingRecording(drive)).Serialize());

    int status = 0;
    {
        Engine engine;
        if (!engine.player.IsLoaded()) {
            std::fprintf(stderr, "engine_bench: %s could not be loaded\n", kEngineLibrary);
            status = 1;
        } else {
            engine.recording = recording.string();
            engine.surface.resize(drive.width, drive.height);
            engine.surface.show();
            engine.player.SetVideoWindow(engine.surface.winId());
            engine.player.AttachEvents(engine.pendingSeekMs);
            g_engine = &engine;
            benchmark::RunSpecifiedBenchmarks();
            g_engine = nullptr;
        }
    }
    benchmark::Shutdown();
    fs::remove_all(folder);
    return status;
}
