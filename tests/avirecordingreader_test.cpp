#include "avirecordingreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

#include "readcounter.h"
#include "telemetryfile.h"
#include "testsupport.h"

namespace tavrel {
namespace {

using samplegen::GpsFix;
using samplegen::RecordingSpec;
using samplegen::RiffNode;
using samplegen::WallClock;

void SetLe32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<GpsFix> Fixes(int count, std::optional<WallClock> clockOfLast = std::nullopt) {
    std::vector<GpsFix> fixes(count);
    for (GpsFix& fix : fixes) {
        fix.latitudeRaw = 2503.5;
        fix.longitudeRaw = 12130.25;
    }
    if (clockOfLast) {
        fixes.back().clock = clockOfLast;
    }
    return fixes;
}

struct ReaderCase {
    const char* name;
    std::function<void(RecordingSpec&)> editSpec;
    std::function<void(RiffNode&)> editFile;
    bool usable;
    std::int64_t startTime;  // checked when usable
    std::function<void(const RecordingInfo&)> check;
};

const WallClock kMay1{2012, 5, 1, 10, 20, 30};

std::vector<ReaderCase> Cases() {
    const auto none = [](auto&) {};
    const auto noCheck = [](const RecordingInfo&) {};
    return {
        {"IditGivesStartTimeOverGpsTimes",
         [](RecordingSpec& s) {
             s.gpsRateWord = 1;
             s.gps = Fixes(3, WallClock{2013, 1, 2, 3, 4, 5});
         },
         none, true, test::UtcSeconds(2012, 5, 1, 10, 20, 30), noCheck},
        {"ClassicIditLeavesStartToGpsAtRate1",
         [](RecordingSpec& s) {
             s.iditText = "TUE MAY 01 10:20:30 2012";
             s.gpsRateWord = 1;
             s.gps = Fixes(6, WallClock{2012, 5, 1, 10, 0, 5});
         },
         none, true, test::UtcSeconds(2012, 5, 1, 10, 0, 0), noCheck},
        {"GpsAtRate5DatesRecord12ThreeSecondsIn",
         [](RecordingSpec& s) {
             s.iditText.reset();
             s.gpsRateWord = 5;
             s.gps = Fixes(13, WallClock{2012, 5, 1, 10, 0, 5});
         },
         none, true, test::UtcSeconds(2012, 5, 1, 10, 0, 3), noCheck},
        {"GpsBeforeAnyRateCountsOneRecordASecond",
         [](RecordingSpec& s) {
             s.iditText.reset();
             s.gps = Fixes(6, WallClock{2012, 5, 1, 10, 0, 5});
         },
         none, true, test::UtcSeconds(2012, 5, 1, 10, 0, 0), noCheck},
        {"OutOfRangeIditFieldFallsBackToGps",
         [](RecordingSpec& s) {
             s.iditText = "2012-13-01 10:20:30";
             s.gpsRateWord = 1;
             s.gps = Fixes(1, WallClock{2012, 5, 1, 9, 0, 0});
         },
         none, true, test::UtcSeconds(2012, 5, 1, 9, 0, 0), noCheck},
        {"NoDateAnywhereIsStillUsable", [](RecordingSpec& s) { s.iditText = "no date"; }, none,
         true, 0, noCheck},
        {"LaterBadIditDiscardsGpsTime",
         [](RecordingSpec& s) {
             s.iditText.reset();
             s.gpsRateWord = 1;
             s.gps = Fixes(1, WallClock{2012, 5, 1, 9, 0, 0});
         },
         [](RiffNode& f) { f.children.push_back(RiffNode::Chunk("IDIT", Bytes("bad date"))); },
         true, 0, noCheck},
        {"LaterGoodIditReplacesGpsTime",
         [](RecordingSpec& s) {
             s.iditText.reset();
             s.gpsRateWord = 1;
             s.gps = Fixes(1, WallClock{2012, 5, 1, 9, 0, 0});
         },
         [](RiffNode& f) {
             f.children.push_back(RiffNode::Chunk("IDIT", Bytes("2012-05-01 11:00:00")));
         },
         true, test::UtcSeconds(2012, 5, 1, 11, 0, 0), noCheck},
        {"Idit1969CannotBeRepresented",
         [](RecordingSpec& s) { s.iditText = "1969-12-31 10:00:00"; }, none, false, 0, noCheck},
        {"IditAfter3000CannotBeRepresented",
         [](RecordingSpec& s) { s.iditText = "3001-01-01 00:00:00"; }, none, false, 0, noCheck},
        {"OversizeIditIsReadFromItsStartAndSkippedWhole",
         [](RecordingSpec& s) {
             s.iditText = "2012-05-01 10:20:30" + std::string(100, ' ');
             s.gsensorRateWord = 0x020A;
         },
         none, true, test::UtcSeconds(2012, 5, 1, 10, 20, 30),
         [](const RecordingInfo& info) { EXPECT_EQ(info.gsensorRateWord, 0x020Au); }},
        {"GpsRemainderIsSteppedOverFourBytesAtATime", [](RecordingSpec& s) { s.gps = Fixes(3); },
         [](RiffNode& f) {
             RiffNode* gps = f.Find("gps0");
             gps->payload.insert(gps->payload.end(), 4, 0);  // 100 bytes: 3 records
             f.children.push_back(RiffNode::Chunk("gpsa", {5, 0, 0, 0}));
         },
         true, test::UtcSeconds(2012, 5, 1, 10, 20, 30),
         [](const RecordingInfo& info) {
             EXPECT_EQ(info.gpsSize, 100u);
             EXPECT_EQ(info.gpsRateWord, 5u);  // found at offset + 96 + 4
         }},
        {"GsensorRemainderIsLeftToTheStepping", [](RecordingSpec& s) { s.gsensor.resize(4); },
         [](RiffNode& f) {
             // Declared 13 bytes: four samples and one byte the walk steps
             // over together with the three that follow it.
             RiffNode* gsen = f.Find("gsen");
             gsen->payload.push_back(0);
             gsen->trailing = {0, 0, 0};
             f.children.push_back(RiffNode::Chunk("gsea", {10, 2, 0, 0}));
         },
         true, test::UtcSeconds(2012, 5, 1, 10, 20, 30),
         [](const RecordingInfo& info) {
             EXPECT_EQ(info.gsensorSize, 13u);
             EXPECT_EQ(info.gsensorRateWord, 0x020Au);
         }},
        {"HandledIdentifierInsideUnknownChunkIsTaken", none,
         [](RiffNode& f) {
             f.children.push_back(
                 RiffNode::Chunk("zzzz", {'g', 'p', 's', 'a', 4, 0, 0, 0, 7, 0, 0, 0}));
         },
         true, test::UtcSeconds(2012, 5, 1, 10, 20, 30),
         [](const RecordingInfo& info) { EXPECT_EQ(info.gpsRateWord, 7u); }},
        {"MoviEndingExactlyAtFileEnd", none,
         [](RiffNode& f) {
             while (f.children.back().listType != "movi") {
                 f.children.pop_back();
             }
         },
         true, test::UtcSeconds(2012, 5, 1, 10, 20, 30), noCheck},
        {"MoviOverrunByOneByte", none,
         [](RiffNode& f) {
             while (f.children.back().listType != "movi") {
                 f.children.pop_back();
             }
             f.children.back().declaredSize = f.children.back().ComputedSize() + 1;
         },
         false, 0, noCheck},
        {"AudioOnly",
         [](RecordingSpec& s) {
             s.withVideo = false;
             s.withAudio = true;
         },
         none, false, 0, noCheck},
        {"NotRiff", none, [](RiffNode& f) { f.id = "RIFX"; }, false, 0, noCheck},
        {"TruncatedInsideHeader", none,
         [](RiffNode& f) {
             // Only the start of the header list survives, sizes intact.
             const std::vector<std::uint8_t> bytes = f.Serialize();
             f = RiffNode::Chunk("RIFF", {bytes.begin() + 8, bytes.begin() + 80});
         },
         false, 0, noCheck},
        {"FrameCountTimesFrameTimeWrapsIn32Bits", none,
         [](RiffNode& f) {
             // 4,295 frames of one second: 4,295,000,000 us wraps to 32,704 us.
             SetLe32(f.Find("avih")->payload, 0, 1000000);
             SetLe32(f.Find("avih")->payload, 16, 4295);
         },
         true, test::UtcSeconds(2012, 5, 1, 10, 20, 30),
         [](const RecordingInfo& info) {
             EXPECT_EQ(info.lengthMs, 32u);
             EXPECT_EQ(info.lengthSeconds, 0);
         }},
        {"ZeroFrames", none, [](RiffNode& f) { SetLe32(f.Find("avih")->payload, 16, 0); }, false, 0,
         noCheck},
    };
}

class ReaderTable : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderTable, ReadsAsExpected) {
    const ReaderCase& c = GetParam();
    RecordingSpec recipe = test::ShortRecording(3, kMay1);
    recipe.withAudio = true;
    c.editSpec(recipe);
    RiffNode file = samplegen::BuildRecording(recipe);
    c.editFile(file);
    const std::string path = test::WriteRecording(test::FreshFolder(c.name) / "FILE0001.AVI", file);

    RecordingInfo info;
    info.fileSize = 12345;  // must stay untouched when the file is refused
    const int result = AviRecordingReader().ReadRecording(path, &info);
    if (!c.usable) {
        EXPECT_EQ(result, -1);
        EXPECT_EQ(info.fileSize, 12345u);
        return;
    }
    ASSERT_EQ(result, 0);
    EXPECT_EQ(info.startTime, c.startTime);
    EXPECT_EQ(info.fileSize, std::filesystem::file_size(path));
    c.check(info);
}

INSTANTIATE_TEST_SUITE_P(Recordings, ReaderTable, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AviRecordingReader, ReportsEveryFieldOfAGeneratedRecording) {
    RecordingSpec recipe = test::ShortRecording(4, kMay1);
    recipe.width = 320;
    recipe.height = 240;
    recipe.framesPerSecond = 5;
    recipe.frameCount = 23;  // 4.6 s
    recipe.gpsRateWord = 0x105;
    recipe.gsensorRateWord = 0x20A;
    recipe.gps = Fixes(23);
    recipe.gsensor.resize(46);
    const RiffNode file = samplegen::BuildRecording(recipe);
    const std::string path = test::WriteRecording(test::FreshFolder("fields") / "F.AVI", file);

    // Where the telemetry payloads lie, found independently of the reader.
    const std::vector<std::uint8_t> bytes = file.Serialize();
    const auto payloadOf = [&](const char* id) {
        const auto at = std::search(bytes.begin(), bytes.end(), id, id + 4);
        return static_cast<std::uint64_t>(at - bytes.begin()) + 8;
    };

    RecordingInfo info;
    ASSERT_EQ(AviRecordingReader().ReadRecording(path, &info), 0);
    RecordingInfo expected;
    expected.gpsOffset = payloadOf("gps0");
    expected.gpsSize = 23 * 32;
    expected.gsensorOffset = payloadOf("gsen");
    expected.gsensorSize = 46 * 3;
    expected.videoWidth = 320;
    expected.videoHeight = 240;
    expected.startTime = test::UtcSeconds(2012, 5, 1, 10, 20, 30);
    expected.lengthSeconds = 4;
    expected.lengthMs = 4600;
    expected.fileSize = bytes.size();
    expected.gpsRateWord = 0x105;
    expected.gsensorRateWord = 0x20A;
    EXPECT_EQ(info, expected);
}

TEST(AviRecordingReader, DeclaredSizesNearTheTopOfTheRange) {
    // A chunk claiming up to 4 GiB moves the 64-bit position past the end of
    // the file and the walk ends; headers that read a fixed number of bytes
    // ignore the claim. Nothing is read out of bounds (the sanitizer build
    // checks that) and nothing loops.
    struct Case {
        const char* id;
        bool usable;
    };
    for (const Case c :
         {Case{"gps0", true}, Case{"gsen", true}, Case{"gpsa", true}, Case{"IDIT", true},
          Case{"avih", true}, Case{"hdrl", true}, Case{"strh", false}, Case{"JUNK", false}}) {
        for (const std::uint32_t size : {0xFFFFFFFFu, 0xFFFFFFFCu, 0x80000000u}) {
            RecordingSpec recipe = test::ShortRecording(2, kMay1);
            recipe.gps = Fixes(2);
            recipe.gsensor.resize(4);
            recipe.gpsRateWord = 1;
            RiffNode file = samplegen::BuildRecording(recipe);
            if (RiffNode* chunk = file.Find(c.id)) {
                chunk->declaredSize = size;
            } else {
                // A junk chunk ahead of the headers hides them all.
                file.children.insert(file.children.begin(), RiffNode::Chunk(c.id, {0, 0, 0, 0}));
                file.children.front().declaredSize = size;
            }
            const std::string path =
                test::WriteRecording(test::FreshFolder("huge") / "FILE0001.AVI", file);
            RecordingInfo info;
            EXPECT_EQ(AviRecordingReader().ReadRecording(path, &info), c.usable ? 0 : -1)
                << c.id << " " << size;
            if (c.usable && std::string(c.id) == "gps0") {
                EXPECT_EQ(info.gpsSize, size);
            }
        }
    }
}

// A recording with telemetry that ends on a four-byte boundary, and its facts.
struct TelemetryRecording {
    RiffNode file;
    RecordingInfo info;
};

TelemetryRecording MakeTelemetryRecording(const std::filesystem::path& folder, bool dated = true) {
    RecordingSpec recipe = test::ShortRecording(3, kMay1);
    if (!dated) {
        recipe.iditText.reset();
    }
    recipe.gpsRateWord = 1;
    recipe.gsensorRateWord = 0x020A;
    recipe.gps = Fixes(3);
    recipe.gsensor.resize(4);
    TelemetryRecording made{samplegen::BuildRecording(recipe), {}};
    const std::string path = test::WriteRecording(folder / "FILE0001.AVI", made.file);
    EXPECT_EQ(AviRecordingReader().ReadRecording(path, &made.info), 0);
    return made;
}

TEST(AviRecordingReader, ZeroTailsChangeOnlyTheSizeAndAreNotReadToTheirEnd) {
    // What a camera that lost power leaves: a valid recording in a file
    // preallocated up to the FAT32 maximum, the rest never written (sparse
    // here). The walk must give the same facts without reading gigabytes.
    // A claim of gigabytes of GPS records without a date is not searched
    // through for one either: the reads cover at most the longest unknown run
    // and the records searched for a date.
    constexpr int kMostReads =
        (AviRecordingReader::kLongestUnknownRun + kMaxTelemetryPayloadBytes) /
            WindowedFile::kWindowSize +
        4;
    struct Case {
        const char* name;
        std::optional<std::uint32_t> gpsDeclared;
        bool dated;
        std::uint64_t length;
    };
    for (const Case c : {Case{"fat32-maximum", std::nullopt, true, 4294967295u},
                         Case{"on-the-grid", std::nullopt, true, 4294967292u},
                         Case{"gps-claiming-4GiB", 0xFFFFFFE0u, true, 5ull << 30},
                         Case{"undated-gps-claiming-4GiB", 0xFFFFFFE0u, false, 5ull << 30}}) {
        const std::filesystem::path folder = test::FreshFolder(c.name);
        TelemetryRecording made = MakeTelemetryRecording(folder, c.dated);
        RecordingInfo expected = made.info;
        if (c.gpsDeclared) {
            // The walk jumps over the claim, past the G-sensor chunk.
            made.file.Find("gps0")->declaredSize = *c.gpsDeclared;
            expected.gpsSize = *c.gpsDeclared;
            expected.gsensorOffset = 0;
            expected.gsensorSize = 0;
        }
        const std::string path = test::WriteRecording(folder / "FILE0001.AVI", made.file);
        std::filesystem::resize_file(path, c.length);
        expected.fileSize = c.length;

        const test::ReadCounter counter;
        RecordingInfo info;
        ASSERT_EQ(AviRecordingReader().ReadRecording(path, &info), 0) << c.name;
        EXPECT_EQ(info, expected) << c.name;
        EXPECT_LE(counter.Reads(), kMostReads) << c.name;
    }
}

TEST(AviRecordingReader, RunsOfUnknownWordsAreSteppedOverOnTheirGrid) {
    // An unknown chunk of `zeros` bytes, then a gpsa chunk: taken where a
    // walk one word at a time meets it, up to the longest run of unknown
    // words (the unknown chunk's identifier and size count in the run).
    constexpr std::uint64_t kRun = AviRecordingReader::kLongestUnknownRun;
    struct Case {
        const char* name;
        std::size_t zeros;
        bool taken;
    };
    for (const Case c : {Case{"adjacent", 0, true}, Case{"off-the-grid", 2, false},
                         Case{"across-windows", 3 * WindowedFile::kWindowSize + 4, true},
                         Case{"longest-run", kRun - 12, true}, Case{"too-long", kRun - 8, false}}) {
        const std::filesystem::path folder = test::FreshFolder(c.name);
        TelemetryRecording made = MakeTelemetryRecording(folder);
        made.file.children.push_back(
            RiffNode::Chunk("zzzz", std::vector<std::uint8_t>(c.zeros, 0)));
        made.file.children.push_back(RiffNode::Chunk("gpsa", {9, 0, 0, 0}));
        const std::string path = test::WriteRecording(folder / "FILE0001.AVI", made.file);

        RecordingInfo info;
        ASSERT_EQ(AviRecordingReader().ReadRecording(path, &info), 0) << c.name;
        EXPECT_EQ(info.gpsRateWord, c.taken ? 9u : 1u) << c.name;
        EXPECT_EQ(info.gsensorSize, made.info.gsensorSize) << c.name;
    }
}

TEST(AviRecordingReader, MissingFileAndFolderAreUnusable) {
    const std::filesystem::path folder = test::FreshFolder("missing");
    RecordingInfo info;
    EXPECT_EQ(AviRecordingReader().ReadRecording(folder / "NONE0001.AVI", &info), -1);
    EXPECT_EQ(AviRecordingReader().ReadRecording(folder, &info), -1);
}

}  // namespace
}  // namespace tavrel
