// Opening a recording for playback (LoadRecordingTelemetry) and drawing a
// run's tracks (PlotGroupTracks) on a run of 60 one-minute recordings at 5 GPS
// records a second: 18,000 points. The peer is reading the same payloads
// without drawing anything, which is the least any drawing can cost.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "benchrun.h"
#include "recordingcatalog.h"
#include "telemetryfile.h"
#include "trackplotter.h"

namespace {

namespace fs = std::filesystem;
using namespace tavrel;

constexpr int kRecordings = 60;

class CountingMap : public TrackMap {
public:
    void ClearRecordingTrack() override { ++calls; }
    void PlotPoint(GeoPoint point) override { Count(point); }
    void ClearDrivenPath() override { ++calls; }
    void PlotDrivenPoint(GeoPoint point) override { Count(point); }
    void BeginRunTrack() override { ++calls; }
    void PlotRunTrackPoint(GeoPoint point) override { Count(point); }
    void EndRunTrack() override { ++calls; }
    void ClearRunTracks() override { ++calls; }
    void MoveMarker(GeoPoint point) override { Count(point); }
    long calls = 0;

private:
    void Count(GeoPoint point) {
        ++calls;
        benchmark::DoNotOptimize(point);
    }
};

class CountingGraph : public GSensorGraphView {
public:
    void ClearSamples() override { samples = 0; }
    void RepaintNow() override {}
    void SetScale(double, double) override {}
    void AddSample(const GSensorSample&) override { ++samples; }
    void SetSampleRate(double) override {}
    void SetPosition(std::uint32_t) override {}
    void SetStopped(bool) override {}
    long samples = 0;
};

// The run, written once per process into a scratch folder.
const fs::path& RunFolder() {
    static const fs::path folder = bench::WriteRun(kRecordings);
    return folder;
}

struct BoundCatalog {
    BoundCatalog() {
        catalog.InitCatalog(nullptr, nullptr, nullptr);
        catalog.Telemetry().BindGraph(&graph);
        tracks.BindMap(&map);
        catalog.FillFromFolder(RunFolder().string());
    }
    CountingMap map;
    CountingGraph graph;
    RecordingCatalog catalog;
    TrackPlotter tracks{catalog};
};

void BM_LoadRecordingTelemetry(benchmark::State& state) {
    BoundCatalog bound;
    int index = 0;
    for (auto _ : state) {
        bound.tracks.LoadRecordingTelemetry(index);
        index = (index + 1) % kRecordings;
    }
    state.counters["map calls/load"] =
        benchmark::Counter(static_cast<double>(bound.map.calls) / state.iterations());
}
BENCHMARK(BM_LoadRecordingTelemetry)->Unit(benchmark::kMicrosecond);

void BM_PlotGroupTracks(benchmark::State& state) {
    BoundCatalog bound;
    for (auto _ : state) {
        bound.tracks.ClearGroupTracks();
        bound.tracks.PlotGroupTracks(0);
    }
    state.counters["map calls/run"] =
        benchmark::Counter(static_cast<double>(bound.map.calls) / state.iterations());
    state.counters["recordings"] =
        bound.catalog.Groups().empty() ? 0 : bound.catalog.Groups()[0].count;
}
BENCHMARK(BM_PlotGroupTracks)->Unit(benchmark::kMillisecond);

// Peer: the same 60 GPS payloads read, nothing drawn.
void BM_ReadRunPayloads(benchmark::State& state) {
    BoundCatalog bound;
    for (auto _ : state) {
        for (int i = 0; i < kRecordings; ++i) {
            auto payloads = ReadTelemetryPayloads(bound.catalog.PathOf(i),
                                                  bound.catalog.Files()[i].info, Payloads::Gps);
            benchmark::DoNotOptimize(payloads);
        }
    }
}
BENCHMARK(BM_ReadRunPayloads)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(RunFolder(), ignored);
    return 0;
}
