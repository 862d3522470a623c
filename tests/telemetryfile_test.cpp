#include "telemetryfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "avirecordingreader.h"
#include "readcounter.h"
#include "telemetry.h"
#include "testsupport.h"
#include "windowedfile.h"

namespace tavrel {
namespace {

using samplegen::RiffNode;

TEST(TelemetryPayloads, DeclaredSizesAreReadOnlyUpToTheBoundInWindowSizedPieces) {
    // A damaged card can claim up to 4 GiB of telemetry in a file large
    // enough to hold it (sparse here). Loading stays within a window per read
    // and a bound in all; above the bound the payload counts as absent.
    constexpr std::uint32_t kBound = kMaxTelemetryPayloadBytes;
    // Records over more than one window, to see the pieces joined in order.
    constexpr std::size_t kFixes = 3000;
    constexpr std::size_t kFixBytes = kFixes * GpsRecord::kSize;
    static_assert(kFixBytes > WindowedFile::kWindowSize);
    struct Case {
        const char* name;
        const char* chunk;
        std::uint32_t declared;
        std::size_t gpsBytes;
        std::size_t gsensorBytes;
    };
    for (const Case c : {Case{"gps-at-the-bound", "gps0", kBound, kBound, 0},
                         Case{"gps-over-the-bound", "gps0", kBound + 32, 0, 0},
                         Case{"gps-claiming-4GiB", "gps0", 0xFFFFFFE0u, 0, 0},
                         Case{"gsensor-claiming-4GiB", "gsen", 0xFFFFFFE0u, kFixBytes, 0}}) {
        samplegen::RecordingSpec recipe = test::ShortRecording(3, {2012, 5, 1, 10, 20, 30});
        recipe.gpsRateWord = 1;
        recipe.gsensorRateWord = 0x020A;
        recipe.gps.resize(kFixes);
        for (std::size_t i = 0; i < kFixes; ++i) {
            recipe.gps[i].altitude = static_cast<std::int32_t>(i);
        }
        recipe.gsensor.resize(4);
        RiffNode file = samplegen::BuildRecording(recipe);
        const std::vector<std::uint8_t> fixBytes = file.Find("gps0")->payload;
        file.Find(c.chunk)->declaredSize = c.declared;
        const std::string path =
            test::WriteRecording(test::FreshFolder(c.name) / "FILE0001.AVI", file);
        // Room for the whole claim, whatever the chunk's offset.
        std::filesystem::resize_file(path, std::filesystem::file_size(path) + c.declared);
        RecordingInfo info;
        ASSERT_EQ(AviRecordingReader().ReadRecording(path, &info), 0) << c.name;

        const test::ReadCounter counter;
        const std::optional<TelemetryPayloads> payloads =
            ReadTelemetryPayloads(path, info, Payloads::GpsAndGSensor);
        ASSERT_TRUE(payloads) << c.name;
        EXPECT_EQ(payloads->gps.size(), c.gpsBytes) << c.name;
        EXPECT_EQ(payloads->gsensor.size(), c.gsensorBytes) << c.name;
        if (!payloads->gps.empty()) {
            EXPECT_TRUE(std::equal(fixBytes.begin(), fixBytes.end(), payloads->gps.begin()))
                << c.name;
        }
        EXPECT_LE(counter.LargestRead(), WindowedFile::kWindowSize) << c.name;
    }
}

}  // namespace
}  // namespace tavrel
