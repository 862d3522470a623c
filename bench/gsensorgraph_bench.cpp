// One paint of the G-sensor graph at 1920 x 160, as under the video of a
// full-screen window, for a generated one-minute drive and a one-hour drive at
// 10 samples a second. A paint draws one point per pixel column, so the hour
// must cost what the minute costs.
//     gsensorgraph_bench   (offscreen unless QT_QPA_PLATFORM says otherwise)

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include <QApplication>
#include <QImage>

#include "gsensorgraph.h"
#include "samplegen.h"

namespace tavrel {
namespace {

constexpr int kSamplesPerSecond = 10;

struct Drive {
    std::vector<samplegen::GSample> samples;
    std::uint32_t rateWord = 0;
};

const Drive& DriveOf(int seconds) {
    static std::map<int, Drive> drives;
    auto found = drives.find(seconds);
    if (found == drives.end()) {
        samplegen::DriveSpec drive;
        drive.seconds = seconds;
        drive.gsensorSamplesPerSecond = kSamplesPerSecond;
        drive.hardBrakeAtSecond = seconds / 2;
        auto recording = samplegen::MakeDrivingRecording(drive);
        found = drives
                    .emplace(seconds, Drive{std::move(recording.gsensor),
                                            recording.gsensorRateWord.value_or(0)})
                    .first;
    }
    return found->second;
}

void BM_PaintGraph(benchmark::State& state) {
    const int seconds = static_cast<int>(state.range(0));
    const Drive& drive = DriveOf(seconds);
    GSensorGraph graph;
    graph.resize(1920, 160);
    // As the catalog loads a recording: full scale from the rate word, range 5 G.
    graph.SetScale((drive.rateWord >> 8) & 0xFF, 5.0);
    for (const auto& s : drive.samples) {
        graph.AddSample({s.x, s.y, s.z});
    }
    graph.SetSampleRate(kSamplesPerSecond / 1000.0);
    graph.SetPosition(static_cast<std::uint32_t>(seconds) * 1000 / 3);
    QImage surface(graph.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        graph.render(&surface);
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.counters["samples"] = static_cast<double>(drive.samples.size());
}
BENCHMARK(BM_PaintGraph)->Arg(60)->Arg(3600)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
