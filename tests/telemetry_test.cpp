#include "telemetry.h"

#include <gtest/gtest.h>

#include "samplegen.h"

namespace tavrel {
namespace {

TEST(Telemetry, ConvertsDegreesAndMinutes) {
    struct Case {
        double latitudeRaw;
        double longitudeRaw;
        double latitude;
        double longitude;
        bool inRange;
    };
    for (const Case c : {
             Case{2503.5, 12130.25, 25.0583333333, 121.5041666667, true},
             Case{4042.75, -7400.5, 40.7125, -74.0083333333, true},
             Case{20000, 12130.25, 200, 121.5041666667, false},
             Case{2503.5, 19959.99, 25.0583333333, 199.9998333333, true},
         }) {
        double latitude = c.latitudeRaw;
        double longitude = c.longitudeRaw;
        EXPECT_EQ(ConvertFixPair(latitude, longitude), c.inRange) << c.latitudeRaw;
        EXPECT_NEAR(latitude, c.latitude, 1e-9);
        EXPECT_NEAR(longitude, c.longitude, 1e-9);
    }
    EXPECT_NEAR(NmeaToDegrees(25.035), 25.0583333333, 1e-9);
}

TEST(Telemetry, DecodesTheCameraRecordLayout) {
    samplegen::GpsFix fix;
    fix.latitudeRaw = 2503.5;
    fix.longitudeRaw = -7400.5;
    fix.altitude = -12;
    fix.speedKmh = 513;
    fix.clock = samplegen::WallClock{2012, 5, 1, 10, 20, 30};
    fix.headingHalf = 45;
    fix.status = 1;
    const std::vector<std::uint8_t> bytes = fix.Encode();
    ASSERT_EQ(bytes.size(), GpsRecord::kSize);

    const GpsRecord record = GpsRecord::Decode(bytes.data());
    EXPECT_EQ(record.latitudeRaw, 2503.5);
    EXPECT_EQ(record.longitudeRaw, -7400.5);
    EXPECT_EQ(record.altitude, -12);
    EXPECT_EQ(record.speedKmh, 513);
    EXPECT_EQ(record.yearOffset, 12);
    EXPECT_EQ(record.month, 5);
    EXPECT_EQ(record.day, 1);
    EXPECT_EQ(record.hour, 10);
    EXPECT_EQ(record.minute, 20);
    EXPECT_EQ(record.second, 30);
    EXPECT_EQ(record.HeadingDegrees(), 90);
    EXPECT_TRUE(record.HasFix());

    const std::uint8_t sample[] = {0x40, 0x80, 0xFF};
    const GSensorSample decoded = GSensorSample::Decode(sample);
    EXPECT_EQ(decoded.x, 64);
    EXPECT_EQ(decoded.y, -128);
    EXPECT_EQ(decoded.z, -1);
}

TEST(Telemetry, MapsPlayingTimeToGpsRecords) {
    constexpr std::uint32_t kTenRecords = 10 * 32;
    EXPECT_EQ(GpsRecordIndexAt(1999, 5, kTenRecords * 2), 9u);
    EXPECT_EQ(GpsRecordIndexAt(2000, 5, kTenRecords * 2), 10u);
    EXPECT_EQ(GpsRecordIndexAt(9999, 0, kTenRecords), 9u);  // rate 0 counts as 1
    EXPECT_EQ(GpsRecordIndexAt(10000, 1, kTenRecords), std::nullopt);
    EXPECT_EQ(GpsRecordIndexAt(0, 1, 31), std::nullopt);  // no whole record
}

TEST(Telemetry, GSensorRatesAndValues) {
    EXPECT_EQ(GSensorSamplesPerMs(0x020A, 600 * 3, 60000), 0.01);
    EXPECT_EQ(GSensorSamplesPerMs(0x0200, 600 * 3, 60000), 0.01);
    EXPECT_EQ(GSensorSamplesPerMs(0, 600 * 3, 0), std::nullopt);
    EXPECT_EQ(GSensorSamplesPerMs(0, 0, 60000), std::nullopt);
    EXPECT_EQ(GSensorSampleIndexAt(1999.0, 0.01), 19u);

    EXPECT_EQ(GSensorValueInG(64, 0x020A), 1.0);
    EXPECT_EQ(GSensorValueInG(-128, 0x020A), -2.0);
    EXPECT_EQ(GSensorValueInG(127, 0x000A), 127 * 8.0 / 128);  // full scale 0 counts as 8
}

}  // namespace
}  // namespace tavrel
