#include <gtest/gtest.h>

#include "fakeviews.h"
#include "recordingcatalog.h"
#include "testsupport.h"

namespace tavrel {
namespace {

using samplegen::GpsFix;
using Calls = std::vector<std::string>;

GpsFix Fix(double latitudeRaw, std::uint16_t speedKmh, std::uint8_t headingHalf,
           std::uint8_t status = 1) {
    GpsFix fix;
    fix.latitudeRaw = latitudeRaw;
    fix.longitudeRaw = 12130.25;
    fix.speedKmh = speedKmh;
    fix.headingHalf = headingHalf;
    fix.status = status;
    return fix;
}

class TelemetrySync : public ::testing::Test {
protected:
    // Loads a 10-second recording with these fixes at `gpsRate` a second.
    void Load(std::vector<GpsFix> fixes, std::uint32_t gpsRate, bool withGSensor = true) {
        const auto root = test::FreshFolder("sync");
        samplegen::RecordingSpec recipe = test::ShortRecording(10, {});
        recipe.gpsRateWord = gpsRate;
        recipe.gps = std::move(fixes);
        if (withGSensor) {
            recipe.gsensorRateWord = 10;
            recipe.gsensor.resize(100);
        }
        test::WriteRecording(root / "FILE0001.AVI", samplegen::BuildRecording(recipe));
        Bind();
        ASSERT_EQ(m_catalog.FillFromFolder(root.string()), 1);
        ASSERT_TRUE(m_catalog.LoadTelemetry(0));
    }

    void Bind() {
        m_catalog.InitCatalog(nullptr, nullptr, nullptr);
        m_catalog.Telemetry().BindGraph(&m_graph);
        m_catalog.Telemetry().BindReadouts(&m_readouts, &m_readouts);
        m_catalog.Telemetry().BindMap(&m_map);
    }

    // What one report at `ms` tells the displays, and what it returns.
    std::pair<int, Calls> Report(std::uint64_t ms, bool gsensorShown = true, bool mapShown = true) {
        m_log.Clear();
        const int result = m_catalog.Telemetry().SyncDisplaysToTime(ms, gsensorShown, mapShown);
        return {result, m_log.Calls()};
    }

    test::CallLog m_log;
    test::FakeGraph m_graph{&m_log};
    test::FakeMap m_map{&m_log};
    test::FakeReadouts m_readouts{&m_log};
    RecordingCatalog m_catalog;
};

TEST_F(TelemetrySync, TellsEachDisplayInOrder) {
    Load({Fix(2503.5, 40, 45), Fix(2503.6, 42, 46)}, 1);
    EXPECT_EQ(Report(999),
              (std::pair<int, Calls>{1,
                                     {"graph running", "graph position 999", "heading 90",
                                      "speed 40", "MoveMarker 25.058333,121.504167"}}));
    EXPECT_EQ(Report(1000).second, (Calls{"graph running", "graph position 1000", "heading 92",
                                          "speed 42", "MoveMarker 25.060000,121.504167"}));
    // The same record again: only the cursor moves.
    EXPECT_EQ(Report(1500), (std::pair<int, Calls>{1, {"graph running", "graph position 1500"}}));
}

TEST_F(TelemetrySync, TwoRecordsASecondReachRecordOneAtHalfASecond) {
    Load({Fix(2503.5, 40, 45), Fix(2503.5, 50, 45)}, 2);
    EXPECT_EQ(Report(499).second[3], "speed 40");
    EXPECT_EQ(Report(500).second[3], "speed 50");
}

TEST_F(TelemetrySync, BlanksWithoutAFixAndKeepsTheMapWithinRange) {
    Load({Fix(2503.5, 40, 45), Fix(2503.5, 41, 45, 0), Fix(20000, 42, 10)}, 1);
    const Calls blank = {"graph running", "graph position 1000", "no heading", "no speed"};
    EXPECT_EQ(Report(1000), (std::pair<int, Calls>{0, blank}));  // status 0

    // A fix whose latitude is out of range moves compass and speed, not the
    // map, and leaves the indicator off on every report that falls on it.
    EXPECT_EQ(Report(2000),
              (std::pair<int, Calls>{
                  0, {"graph running", "graph position 2000", "heading 20", "speed 42"}}));
    EXPECT_EQ(Report(2500).first, 0);

    // Beyond the last record: the video runs longer than its GPS data.
    EXPECT_EQ(Report(3000).second,
              (Calls{"graph running", "graph position 3000", "no heading", "no speed"}));
}

TEST_F(TelemetrySync, SwitchedOffDisplaysAreLeftAlone) {
    Load({Fix(2503.5, 40, 45), Fix(2503.5, 41, 45)}, 1);
    EXPECT_EQ(Report(0, true, false),
              (std::pair<int, Calls>{
                  1, {"graph running", "graph position 0", "heading 90", "speed 40"}}));
    EXPECT_EQ(
        Report(1000, false, true),
        (std::pair<int, Calls>{1, {"heading 90", "speed 41", "MoveMarker 25.058333,121.504167"}}));
}

TEST_F(TelemetrySync, RecordingWithoutGpsStillMovesTheCursor) {
    Load({}, 1);
    EXPECT_EQ(Report(5000),
              (std::pair<int, Calls>{
                  0, {"graph running", "graph position 5000", "no heading", "no speed"}}));
}

TEST_F(TelemetrySync, RecordingWithoutGSensorLeavesTheGraph) {
    Load({Fix(2503.5, 40, 45)}, 1, false);
    EXPECT_EQ(Report(0).second,
              (Calls{"heading 90", "speed 40", "MoveMarker 25.058333,121.504167"}));
}

TEST_F(TelemetrySync, MarkerGoesToTheFixInDecimalDegrees) {
    GpsFix southWest = Fix(-2530, 40, 45);
    southWest.longitudeRaw = -12130;
    Load({Fix(2530, 40, 45), southWest}, 1);
    EXPECT_EQ(Report(0, false).second.back(), "MoveMarker 25.500000,121.504167");
    EXPECT_EQ(Report(1000, false).second.back(), "MoveMarker -25.500000,-121.500000");
}

TEST_F(TelemetrySync, RecordShownBeforeABlankIsShownAgain) {
    Load({Fix(2503.5, 40, 45), Fix(2503.6, 42, 46), Fix(2503.7, 44, 47, 0)}, 1);
    const std::pair<int, Calls> recordOne = {1,
                                             {"graph running", "graph position 1000", "heading 92",
                                              "speed 42", "MoveMarker 25.060000,121.504167"}};
    EXPECT_EQ(Report(1000), recordOne);
    EXPECT_EQ(Report(2000).first, 0);    // no fix: compass and speed blanked
    EXPECT_EQ(Report(1000), recordOne);  // seeking back shows it again
}

TEST_F(TelemetrySync, NextRecordingIsShownFromItsFirstReport) {
    const auto root = test::FreshFolder("sync-two");
    for (const auto& [name, speed] :
         {std::pair{"FILE0001.AVI", 40}, std::pair{"FILE0002.AVI", 60}}) {
        samplegen::RecordingSpec recipe = test::ShortRecording(10, {});
        recipe.gpsRateWord = 1;
        recipe.gps = {Fix(2503.5, speed, 45), Fix(2503.6, speed + 1, 46)};
        test::WriteRecording(root / name, samplegen::BuildRecording(recipe));
    }
    Bind();
    ASSERT_EQ(m_catalog.FillFromFolder(root.string()), 1);
    ASSERT_TRUE(m_catalog.LoadTelemetry(0));
    EXPECT_EQ(Report(1000, false).second[1], "speed 41");
    ASSERT_TRUE(m_catalog.LoadTelemetry(1));
    EXPECT_EQ(Report(1000, false).second,
              (Calls{"heading 92", "speed 61", "MoveMarker 25.060000,121.504167"}));
}

}  // namespace
}  // namespace tavrel
