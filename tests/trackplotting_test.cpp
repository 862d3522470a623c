#include <gtest/gtest.h>

#include "fakeviews.h"
#include "recordingcatalog.h"
#include "testsupport.h"
#include "trackplotter.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using samplegen::GpsFix;
using samplegen::WallClock;

GpsFix Fix(double latitudeRaw, double longitudeRaw, std::uint8_t status = 1) {
    GpsFix fix;
    fix.latitudeRaw = latitudeRaw;
    fix.longitudeRaw = longitudeRaw;
    fix.status = status;
    return fix;
}

std::vector<std::string> Repeat(const std::string& text, int times) {
    return std::vector<std::string>(times, text);
}

class TrackPlotting : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = test::FreshFolder("tracks");
        m_catalog.InitCatalog(nullptr, nullptr, nullptr);
        m_catalog.Telemetry().BindGraph(&m_graph);
        m_tracks.BindMap(&m_map);
    }

    // A recording of `seconds` seconds starting `startOffset` seconds after
    // 10:00 with the given fixes at `gpsRate` records a second.
    void Record(const std::string& name, int startOffset, int seconds, std::vector<GpsFix> fixes,
                std::uint32_t gpsRate = 1) {
        samplegen::RecordingSpec recipe =
            test::ShortRecording(seconds, WallClock{2012, 5, 1, 10, 0, 0}.Plus(startOffset));
        recipe.gpsRateWord = gpsRate;
        recipe.gps = std::move(fixes);
        test::WriteRecording(m_root / name, samplegen::BuildRecording(recipe));
    }

    void Scan() {
        ASSERT_EQ(m_catalog.FillFromFolder(m_root.string()), 1);
        m_log.Clear();
    }

    fs::path m_root;
    test::CallLog m_log;
    test::FakeGraph m_graph{&m_log};
    test::FakeMap m_map{&m_log};
    RecordingCatalog m_catalog;
    TrackPlotter m_tracks{m_catalog};
};

TEST_F(TrackPlotting, LoadingDrawsTheUsableFixesOfTheTrack) {
    samplegen::RecordingSpec recipe = test::ShortRecording(60, WallClock{});
    recipe.gpsRateWord = 5;
    recipe.gps = {Fix(2503.5, 12130.25), Fix(2503.5, 12130.25, 0), Fix(20000, 12130.25),
                  Fix(2503.5, 20000), Fix(-2503.5, -7400.5)};
    recipe.gsensorRateWord = 0;  // rate from the sample count and the length
    recipe.gsensor.resize(600);
    recipe.gsensor[0] = {64, -128, 1};
    test::WriteRecording(m_root / "FILE0001.AVI", samplegen::BuildRecording(recipe));
    Scan();

    ASSERT_EQ(m_tracks.LoadRecordingTelemetry(0), 1);
    EXPECT_EQ(m_log.Calls(),
              (std::vector<std::string>{"ClearDrivenPath", "ClearRecordingTrack", "graph clear",
                                        "graph scale 8 5", "graph clear", "graph rate",
                                        "PlotPoint 25.058333,121.504167",
                                        "PlotPoint -25.058333,-74.008333"}));
    EXPECT_EQ(m_catalog.CurrentFile(), 0);
    EXPECT_EQ(m_catalog.Telemetry().GpsRate(), 5.0);
    EXPECT_EQ(m_catalog.Telemetry().GpsData().size(), 5u * 32);
    ASSERT_EQ(m_graph.samples.size(), 600u);
    EXPECT_EQ(m_graph.samples[0].y, -128);
    EXPECT_DOUBLE_EQ(m_graph.rate, 0.01);
}

TEST_F(TrackPlotting, PayloadsOutsideTheFileAndMissingFilesAreSkipped) {
    samplegen::RecordingSpec recipe = test::ShortRecording(10, WallClock{});
    recipe.gpsRateWord = 1;
    recipe.gps = {Fix(2503.5, 12130.25)};
    recipe.gsensorRateWord = 10;
    recipe.gsensor.resize(100);
    samplegen::RiffNode file = samplegen::BuildRecording(recipe);
    file.Find("gsen")->declaredSize = 0x7FFFFFFF;
    test::WriteRecording(m_root / "FILE0001.AVI", file);
    Record("FILE0002.AVI", 3600, 10, {Fix(2503.5, 12130.25)});
    Scan();

    ASSERT_EQ(m_tracks.LoadRecordingTelemetry(0), 1);
    EXPECT_TRUE(m_catalog.Telemetry().GSensorData().empty());
    EXPECT_TRUE(m_graph.samples.empty());
    EXPECT_EQ(m_log.Calls().back(), "PlotPoint 25.058333,121.504167");

    fs::remove(m_root / "FILE0002.AVI");
    m_log.Clear();
    EXPECT_EQ(m_tracks.LoadRecordingTelemetry(1), 0);
    EXPECT_EQ(m_log.Calls(), (std::vector<std::string>{"ClearDrivenPath", "ClearRecordingTrack"}));
    EXPECT_TRUE(m_catalog.Telemetry().GpsData().empty());
    EXPECT_FALSE(m_catalog.Telemetry().IsLoaded());
    EXPECT_EQ(m_tracks.PlotRecordingTrack(1, nullptr), 0);
    EXPECT_EQ(m_tracks.LoadRecordingTelemetry(2), 0);
    EXPECT_EQ(m_tracks.LoadRecordingTelemetry(-1), 0);
}

TEST_F(TrackPlotting, GroupTracksAreRedrawnOnlyWhenTheGroupChanges) {
    Record("FILE0001.AVI", 0, 60, {Fix(2503.5, 12130.25, 0), Fix(2503.6, 12130.3)});
    Record("FILE0002.AVI", 60, 60, {Fix(2503.7, 12130.4)});
    Record("FILE0003.AVI", 3600, 60, {});
    Scan();

    const std::vector<std::string> firstGroup = {"ClearRunTracks",
                                                 "BeginRunTrack",
                                                 "PlotRunTrackPoint 25.060000,121.505000",
                                                 "EndRunTrack",
                                                 "BeginRunTrack",
                                                 "PlotRunTrackPoint 25.061667,121.506667",
                                                 "EndRunTrack",
                                                 "MoveMarker 25.060000,121.505000"};
    m_tracks.UpdateGroupTracks(0, -1);
    EXPECT_EQ(m_log.Calls(), firstGroup);

    m_log.Clear();
    m_tracks.UpdateGroupTracks(1, 0);  // same group
    EXPECT_TRUE(m_log.Calls().empty());

    m_tracks.UpdateGroupTracks(2, 1);  // a group without GPS data
    EXPECT_EQ(m_log.Calls(), std::vector<std::string>{"ClearRunTracks"});

    m_log.Clear();
    m_tracks.UpdateGroupTracks(0, 2);
    EXPECT_EQ(m_log.Calls(), firstGroup);
}

TEST_F(TrackPlotting, DrivenPathIsRedrawnUpToTheTarget) {
    for (const std::uint32_t rate : {1u, 5u}) {
        m_root = test::FreshFolder("driven");
        Record("FILE0001.AVI", 0, 70, std::vector<GpsFix>(70 * rate, Fix(2503.5, 12130.25)), rate);
        Scan();
        ASSERT_EQ(m_tracks.LoadRecordingTelemetry(0), 1);

        m_log.Clear();
        m_tracks.ReplotDrivenPath(0);
        EXPECT_EQ(m_log.Calls(), std::vector<std::string>{"ClearDrivenPath"});

        m_log.Clear();
        m_tracks.ReplotDrivenPath(60000);
        std::vector<std::string> expected = {"ClearDrivenPath"};
        const auto points = Repeat("PlotDrivenPoint 25.058333,121.504167", 60 * rate);
        expected.insert(expected.end(), points.begin(), points.end());
        EXPECT_EQ(m_log.Calls(), expected) << "rate " << rate;
    }
}

}  // namespace
}  // namespace tavrel
