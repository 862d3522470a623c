// The sample generator is the reference the reader is tested against, so its
// own output is checked here without the recording library: a small RIFF walk
// of its own, ffmpeg for the media, and plain geometry for the telemetry.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "riffnode.h"
#include "samplegen.h"
#include "testsupport.h"

namespace {

namespace fs = std::filesystem;
namespace sg = tavrel::samplegen;
using Bytes = std::vector<std::uint8_t>;

constexpr double kGravity = 9.80665;
constexpr double kRawPerG = 64;  // full scale 2 G over 128 steps

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t Le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::string Code(const Bytes& b, std::size_t at) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                       b.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

// One element found by stepping exactly by declared sizes, as the camera's
// unpadded files must be read.
struct Element {
    std::string path;  // "movi/00dc": list types and chunk ids from the top
    std::string id;
    std::size_t offset = 0;  // of the identifier
    std::uint32_t size = 0;
};

// Walks [from, to); false when an element claims more than its parent holds.
bool Walk(const Bytes& b, std::size_t from, std::size_t to, const std::string& parent,
          std::vector<Element>& out) {
    std::size_t at = from;
    while (at + 8 <= to) {
        const std::string id = Code(b, at);
        const std::uint32_t size = Le32(b, at + 4);
        if (at + 8 + size > to) {
            return false;
        }
        const bool list = id == "LIST" || id == "RIFF";
        const std::string name = list ? Code(b, at + 8) : id;
        const std::string path = parent.empty() ? name : parent + "/" + name;
        out.push_back({path, id, at, size});
        if (list && !Walk(b, at + 12, at + 8 + size, path, out)) {
            return false;
        }
        at += 8 + size;
    }
    return at == to;
}

std::vector<Element> WalkFile(const Bytes& b) {
    std::vector<Element> out;
    EXPECT_TRUE(Walk(b, 0, b.size(), "", out)) << "elements overrun or leave bytes over";
    return out;
}

const Element* FindPath(const std::vector<Element>& elements, const std::string& path) {
    for (const Element& e : elements) {
        if (e.path == path) {
            return &e;
        }
    }
    return nullptr;
}

Bytes Payload(const Bytes& b, const Element& e) {
    const std::size_t start = e.offset + 8;
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(start),
                 b.begin() + static_cast<std::ptrdiff_t>(start + e.size));
}

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

struct CommandResult {
    int status = -1;
    std::string output;
};

CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.output.append(buffer.data(), n);
    }
    result.status = ::pclose(pipe);
    return result;
}

// ---- telemetry helpers ----

double Degrees(double raw) {
    const double whole = std::trunc(raw / 100);
    return whole + (raw - whole * 100) / 60;
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

double Metres(const sg::GpsFix& a, const sg::GpsFix& b) {
    const double lat1 = Radians(Degrees(a.latitudeRaw));
    const double lat2 = Radians(Degrees(b.latitudeRaw));
    const double dLat = lat2 - lat1;
    const double dLon = Radians(Degrees(b.longitudeRaw) - Degrees(a.longitudeRaw));
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(lat1) * std::cos(lat2) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * 6371000.0 * std::asin(std::sqrt(h));
}

// Course from a to b, degrees clockwise from north.
double Bearing(const sg::GpsFix& a, const sg::GpsFix& b) {
    const double lat1 = Radians(Degrees(a.latitudeRaw));
    const double lat2 = Radians(Degrees(b.latitudeRaw));
    const double dLon = Radians(Degrees(b.longitudeRaw) - Degrees(a.longitudeRaw));
    const double y = std::sin(dLon) * std::cos(lat2);
    const double x =
        std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
    return std::fmod(std::atan2(y, x) * 180 / std::numbers::pi + 360, 360);
}

double AngleBetween(double a, double b) {
    return std::abs(std::remainder(a - b, 360.0));
}

// The course halfway between two headings, taking the short way round.
double MeanHeading(double a, double b) {
    return std::fmod(a + std::remainder(b - a, 360.0) / 2 + 360, 360);
}

// Every pair of neighbouring fixes must describe the same movement: the
// distance covered is the mean speed times the interval, the course is the
// heading the car had. Returns the number of pairs checked for course.
int ExpectFixesAgree(const sg::GpsFix& a, const sg::GpsFix& b, double interval,
                     const std::string& where) {
    const double distance = Metres(a, b);
    const double expected = (a.speedKmh + b.speedKmh) / 2.0 / 3.6 * interval;
    // Speeds are whole km/h: up to 0.14 m/s off at each end.
    EXPECT_NEAR(distance, expected, 0.3 * interval + 0.05 * expected) << where;
    if (distance < 2 * interval) {
        return 0;
    }
    const double course = MeanHeading(a.headingHalf * 2.0, b.headingHalf * 2.0);
    EXPECT_LT(AngleBetween(Bearing(a, b), course), 8.0)
        << where << " bearing " << Bearing(a, b) << " heading " << course;
    return 1;
}

void ExpectDriveAgrees(const std::vector<sg::GpsFix>& gps, int rate, const std::string& name) {
    for (std::size_t i = 1; i < gps.size(); ++i) {
        ExpectFixesAgree(gps[i - 1], gps[i], 1.0 / rate, name + " fix " + std::to_string(i));
    }
}

sg::GpsFix DecodeFix(const Bytes& b, std::size_t at) {
    sg::GpsFix fix;
    std::memcpy(&fix.latitudeRaw, &b[at], 8);
    std::memcpy(&fix.longitudeRaw, &b[at + 8], 8);
    fix.altitude = static_cast<std::int32_t>(Le32(b, at + 16));
    fix.speedKmh = Le16(b, at + 20);
    if (b[at + 22] != 0) {
        fix.clock = sg::WallClock{2000 + b[at + 22], b[at + 23], b[at + 24],
                                  b[at + 25],        b[at + 26], b[at + 27]};
    }
    fix.headingHalf = b[at + 28];
    fix.status = b[at + 29];
    return fix;
}

// What the tests need of one recording file.
struct FileTelemetry {
    std::string idit;
    std::vector<sg::GpsFix> gps;
    std::vector<sg::GSample> gsensor;
    std::uint32_t gpsRate = 0;
};

FileTelemetry ReadTelemetry(const fs::path& path) {
    const Bytes b = ReadAll(path);
    const std::vector<Element> elements = WalkFile(b);
    FileTelemetry t;
    if (const Element* e = FindPath(elements, "AVI /hdrl/IDIT")) {
        const Bytes text = Payload(b, *e);
        t.idit.assign(text.begin(), std::find(text.begin(), text.end(), 0));
    }
    if (const Element* e = FindPath(elements, "AVI /gpsa")) {
        t.gpsRate = Le32(b, e->offset + 8) & 0xff;
    }
    if (const Element* e = FindPath(elements, "AVI /gps0")) {
        for (std::size_t at = 0; at + 32 <= e->size; at += 32) {
            t.gps.push_back(DecodeFix(b, e->offset + 8 + at));
        }
    }
    if (const Element* e = FindPath(elements, "AVI /gsen")) {
        for (std::size_t at = e->offset + 8; at + 3 <= e->offset + 8 + e->size; at += 3) {
            t.gsensor.push_back({static_cast<std::int8_t>(b[at]),
                                 static_cast<std::int8_t>(b[at + 1]),
                                 static_cast<std::int8_t>(b[at + 2])});
        }
    }
    return t;
}

sg::DriveSpec SmallDrive(int seconds, int gpsRate, std::uint32_t seed) {
    sg::DriveSpec drive;
    drive.driveStart = {2012, 5, 1, 10, 0, 0};
    drive.seconds = seconds;
    drive.gpsRecordsPerSecond = gpsRate;
    drive.width = 32;
    drive.height = 32;
    drive.framesPerSecond = 1;
    drive.routeSeed = seed;
    return drive;
}

// ---- the RIFF tree ----

TEST(RiffNode, WritesWithoutPaddingAndKeepsBentSizesLocal) {
    sg::RiffNode inner = sg::RiffNode::Chunk("bbbb", {9});
    inner.declaredSize = 7;
    inner.trailing = {0xEE};
    sg::RiffNode root = sg::RiffNode::List(
        "RIFF", "TEST",
        {sg::RiffNode::Chunk("odd1", {1, 2, 3}),
         sg::RiffNode::List("LIST", "sub ", {sg::RiffNode::Chunk("aaaa", {}), inner})});

    // The odd chunk is followed at once by the list; the bent chunk declares
    // 7 but its parent counts the 1 byte it holds, never the trailer.
    const Bytes expected = {'R', 'I', 'F', 'F', 44,  0,   0,   0,   'T', 'E', 'S', 'T', 'o', 'd',
                            'd', '1', 3,   0,   0,   0,   1,   2,   3,   'L', 'I', 'S', 'T', 21,
                            0,   0,   0,   's', 'u', 'b', ' ', 'a', 'a', 'a', 'a', 0,   0,   0,
                            0,   'b', 'b', 'b', 'b', 7,   0,   0,   0,   9,   0xEE};
    EXPECT_EQ(root.Serialize(), expected);

    ASSERT_NE(root.Find("sub "), nullptr);
    EXPECT_EQ(root.Find("sub ")->children.size(), 2u);
    ASSERT_NE(root.Find("bbbb"), nullptr);
    EXPECT_EQ(root.Find("bbbb")->payload, Bytes{9});
    EXPECT_EQ(root.Find("LIST"), nullptr) << "lists are found by their type";
    EXPECT_TRUE(root.Remove("aaaa"));
    EXPECT_FALSE(root.Remove("aaaa"));
    EXPECT_EQ(root.ComputedSize(), 44u - 8);
    EXPECT_TRUE(root.Remove("sub "));
    EXPECT_EQ(root.Find("bbbb"), nullptr);
}

// ---- GPS record layout ----

TEST(GpsFix, EncodesEachFieldAtItsOffset) {
    struct Case {
        const char* name;
        sg::GpsFix fix;
        std::map<std::size_t, std::uint8_t> bytes;  // offsets of the integer fields
    };
    sg::GpsFix full;
    full.latitudeRaw = 2503.5;
    full.longitudeRaw = -12130.25;
    full.altitude = -3;
    full.speedKmh = 0x1234;
    full.clock = sg::WallClock{2012, 5, 1, 10, 20, 30};
    full.headingHalf = 135;
    full.status = 1;
    sg::GpsFix noClock = full;
    noClock.clock.reset();
    noClock.status = 0;

    const std::vector<Case> cases = {
        {"with clock",
         full,
         {{16, 0xFD},
          {17, 0xFF},
          {18, 0xFF},
          {19, 0xFF},
          {20, 0x34},
          {21, 0x12},
          {22, 12},
          {23, 5},
          {24, 1},
          {25, 10},
          {26, 20},
          {27, 30},
          {28, 135},
          {29, 1},
          {30, 0},
          {31, 0}}},
        {"without clock",
         noClock,
         {{22, 0}, {23, 0}, {24, 0}, {25, 0}, {26, 0}, {27, 0}, {28, 135}, {29, 0}}},
    };
    for (const Case& c : cases) {
        const Bytes b = c.fix.Encode();
        ASSERT_EQ(b.size(), 32u) << c.name;
        double latitude = 0;
        double longitude = 0;
        std::memcpy(&latitude, &b[0], 8);  // the test host is little-endian, like the camera
        std::memcpy(&longitude, &b[8], 8);
        EXPECT_EQ(latitude, c.fix.latitudeRaw) << c.name;
        EXPECT_EQ(longitude, c.fix.longitudeRaw) << c.name;
        for (const auto& [offset, value] : c.bytes) {
            EXPECT_EQ(b[offset], value) << c.name << " byte " << offset;
        }
    }
}

TEST(WallClock, AddsAcrossCalendarBoundaries) {
    struct Case {
        sg::WallClock from;
        std::int64_t seconds;
        const char* expected;
    };
    for (const Case& c : {Case{{2012, 12, 31, 23, 59, 30}, 45, "2013-01-01 00:00:15"},
                          Case{{2012, 2, 28, 23, 0, 0}, 86400, "2012-02-29 23:00:00"},
                          Case{{2100, 2, 28, 12, 0, 0}, 86400, "2100-03-01 12:00:00"},
                          Case{{2012, 3, 1, 0, 0, 10}, -20, "2012-02-29 23:59:50"}}) {
        EXPECT_EQ(c.from.Plus(c.seconds).Text(), c.expected) << c.from.Text() << " + " << c.seconds;
    }
}

// ---- the AVI layout ----

TEST(BuildRecording, LaysOutTheCameraChunks) {
    struct Variant {
        const char* name;
        bool video;
        bool audio;
        bool telemetry;
        std::optional<std::string> idit;
    };
    for (const Variant& v : {Variant{"everything", true, true, true, "2012-05-01 10:00:00"},
                             Variant{"odd idit, no audio", true, false, true, "abcd"},
                             Variant{"audio only, bare", false, true, false, std::nullopt}}) {
        SCOPED_TRACE(v.name);
        sg::RecordingSpec recording = sg::MakeDrivingRecording(SmallDrive(2, 5, 1));
        recording.width = 96;
        recording.height = 64;
        recording.framesPerSecond = 5;
        recording.frameCount = 10;
        recording.withVideo = v.video;
        recording.withAudio = v.audio;
        recording.iditText = v.idit;
        recording.gsensor.resize(3);  // an odd-sized chunk, which must come last
        if (!v.telemetry) {
            recording.gpsRateWord.reset();
            recording.gsensorRateWord.reset();
            recording.gps.clear();
            recording.gsensor.clear();
        }
        const Bytes b = sg::BuildRecording(recording).Serialize();
        const std::vector<Element> all = WalkFile(b);
        ASSERT_FALSE(all.empty());
        EXPECT_EQ(all[0].path, "AVI ");
        EXPECT_EQ(Le32(b, 4) + 8, b.size());

        std::vector<std::string> top;
        std::vector<std::string> header;
        for (const Element& e : all) {
            if (e.path.rfind("AVI /", 0) == 0 && e.path.find('/', 5) == std::string::npos) {
                top.push_back(e.path.substr(5));
            }
            if (e.path.rfind("AVI /hdrl/", 0) == 0) {
                header.push_back(e.path.substr(10));
            }
        }
        std::vector<std::string> expectedTop = {"hdrl", "movi", "idx1"};
        if (v.telemetry) {
            expectedTop.insert(expectedTop.end(), {"gpsa", "gsea", "gps0", "gsen"});
        }
        EXPECT_EQ(top, expectedTop);
        std::vector<std::string> expectedHeader = {"avih"};
        for (bool stream : {v.video, v.audio}) {
            if (stream) {
                expectedHeader.insert(expectedHeader.end(), {"strl", "strl/strh", "strl/strf"});
            }
        }
        if (v.idit) {
            expectedHeader.push_back("IDIT");
        }
        EXPECT_EQ(header, expectedHeader);

        const Bytes avih = Payload(b, *FindPath(all, "AVI /hdrl/avih"));
        ASSERT_EQ(avih.size(), 56u);
        EXPECT_EQ(Le32(avih, 0), 200000u);  // microseconds per frame
        EXPECT_EQ(Le32(avih, 12) & 0x10, 0x10u);
        EXPECT_EQ(Le32(avih, 16), 10u);
        EXPECT_EQ(Le32(avih, 24), (v.video ? 1u : 0u) + (v.audio ? 1u : 0u));
        EXPECT_EQ(Le32(avih, 32), 96u);
        EXPECT_EQ(Le32(avih, 36), 64u);

        std::vector<const Element*> strh;
        std::vector<const Element*> strf;
        for (const Element& e : all) {
            if (e.path == "AVI /hdrl/strl/strh") {
                strh.push_back(&e);
            }
            if (e.path == "AVI /hdrl/strl/strf") {
                strf.push_back(&e);
            }
        }
        std::size_t stream = 0;
        if (v.video) {
            const Bytes h = Payload(b, *strh[stream]);
            const Bytes f = Payload(b, *strf[stream]);
            ASSERT_EQ(h.size(), 56u);
            ASSERT_EQ(f.size(), 40u);
            EXPECT_EQ(Code(h, 0), "vids");
            EXPECT_EQ(Code(h, 4), "MJPG");
            EXPECT_EQ(Le32(h, 24) / Le32(h, 20), 5u);
            EXPECT_EQ(Le32(h, 32), 10u);
            EXPECT_EQ(Le32(f, 4), 96u);
            EXPECT_EQ(Le32(f, 8), 64u);
            EXPECT_EQ(Code(f, 16), "MJPG");
            ++stream;
        }
        if (v.audio) {
            const Bytes h = Payload(b, *strh[stream]);
            const Bytes f = Payload(b, *strf[stream]);
            EXPECT_EQ(Code(h, 0), "auds");
            ASSERT_GE(f.size(), 16u);
            EXPECT_EQ(Le16(f, 0), 1);  // PCM
            EXPECT_EQ(Le16(f, 2), 1);  // mono
            EXPECT_EQ(Le16(f, 14), 16);
        }
        if (v.idit) {
            const Element* idit = FindPath(all, "AVI /hdrl/IDIT");
            EXPECT_EQ(idit->size % 2, 0u);
            Bytes expectedIdit(v.idit->begin(), v.idit->end());
            expectedIdit.resize(idit->size, 0);
            EXPECT_GT(idit->size, v.idit->size());
            EXPECT_EQ(Payload(b, *idit), expectedIdit);
        }

        // Media chunks: even sizes, one audio block per frame, named by
        // stream order; the index points at each from the 'movi' type field.
        const Element* movi = FindPath(all, "AVI /movi");
        const Bytes index = Payload(b, *FindPath(all, "AVI /idx1"));
        std::vector<const Element*> media;
        for (const Element& e : all) {
            if (e.path.rfind("AVI /movi/", 0) == 0) {
                media.push_back(&e);
            }
        }
        ASSERT_EQ(media.size(), 10u * ((v.video ? 1 : 0) + (v.audio ? 1 : 0)));
        ASSERT_EQ(index.size(), media.size() * 16);
        for (std::size_t i = 0; i < media.size(); ++i) {
            const Element& e = *media[i];
            EXPECT_EQ(e.size % 2, 0u) << e.id;
            const bool frame = v.video && (!v.audio || i % 2 == 0);
            const std::string expectedId = frame ? "00dc" : (v.video ? "01wb" : "00wb");
            EXPECT_EQ(e.id, expectedId) << i;
            EXPECT_EQ(Code(index, i * 16), e.id);
            EXPECT_EQ(Le32(index, i * 16 + 8) + movi->offset + 8, e.offset) << i;
            EXPECT_EQ(Le32(index, i * 16 + 12), e.size) << i;
            if (e.id == "00dc") {
                const Bytes jpeg = Payload(b, e);
                EXPECT_EQ(jpeg[0], 0xFF);
                EXPECT_EQ(jpeg[1], 0xD8);
                const std::size_t end = jpeg.back() == 0 ? jpeg.size() - 1 : jpeg.size();
                EXPECT_EQ(jpeg[end - 2], 0xFF);
                EXPECT_EQ(jpeg[end - 1], 0xD9);
            }
        }
        if (v.telemetry) {
            EXPECT_EQ(FindPath(all, "AVI /gps0")->size, 32u * recording.gps.size());
            EXPECT_EQ(FindPath(all, "AVI /gsen")->size, 9u);
            EXPECT_EQ(FindPath(all, "AVI /gsen")->offset + 8 + 9, b.size());
            EXPECT_EQ(Le32(b, FindPath(all, "AVI /gsea")->offset + 8), 10u | 2u << 8);
        }
    }
}

TEST(BuildRecording, FfmpegDecodesItWithoutComplaint) {
    if (RunCommand("ffmpeg -version").status != 0 || RunCommand("ffprobe -version").status != 0) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    struct Case {
        const char* name;
        int width;
        int height;
        bool video;
        bool audio;
        const char* streams;  // codec types in stream order
    };
    const fs::path folder = tavrel::test::FreshFolder("ffmpeg");
    for (const Case& c : {Case{"both", 160, 120, true, true, "video,audio,"},
                          Case{"odd size, silent", 150, 98, true, false, "video,"},
                          Case{"sound only", 160, 120, false, true, "audio,"}}) {
        SCOPED_TRACE(c.name);
        sg::DriveSpec drive = SmallDrive(3, 5, 2);
        drive.width = c.width;
        drive.height = c.height;
        drive.framesPerSecond = 10;
        sg::RecordingSpec recording = sg::MakeDrivingRecording(drive);
        recording.withVideo = c.video;
        recording.withAudio = c.audio;
        const fs::path file = folder / (std::string(c.name) + ".avi");
        sg::WriteFile(file, sg::BuildRecording(recording).Serialize());
        const std::string quoted = "'" + file.string() + "'";

        const CommandResult decode =
            RunCommand("ffmpeg -nostdin -v error -i " + quoted + " -f null -");
        EXPECT_EQ(decode.status, 0);
        EXPECT_EQ(decode.output, "");

        const CommandResult streams =
            RunCommand("ffprobe -v error -show_entries stream=codec_type -of csv=p=0 " + quoted);
        std::string types = streams.output;
        std::replace(types.begin(), types.end(), '\n', ',');
        EXPECT_EQ(types, c.streams);
        if (c.video) {
            const CommandResult video = RunCommand(
                "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                "stream=nb_read_frames,width,height -of csv=p=0 " +
                quoted);
            EXPECT_EQ(video.output,
                      std::to_string(c.width) + "," + std::to_string(c.height) + ",30\n");
        }
    }
}

// ---- the drive ----

TEST(DrivingRecording, PositionsSpeedsHeadingsAndForcesAgree) {
    for (const int rate : {1, 5}) {
        SCOPED_TRACE(rate);
        const int seconds = rate == 1 ? 900 : 240;
        const sg::DriveSpec drive = SmallDrive(seconds, rate, 7);
        const sg::RecordingSpec recording = sg::MakeDrivingRecording(drive);
        ASSERT_EQ(recording.gps.size(), static_cast<std::size_t>(seconds * rate));
        ASSERT_EQ(recording.gsensor.size(), static_cast<std::size_t>(seconds * 10));
        EXPECT_EQ(recording.gpsRateWord, static_cast<std::uint32_t>(rate));
        EXPECT_EQ(recording.gsensorRateWord, 10u | 2u << 8);
        EXPECT_EQ(recording.iditText, "2012-05-01 10:00:00");
        EXPECT_EQ(recording.frameCount, seconds);

        ExpectDriveAgrees(recording.gps, rate, "drive");
        bool stopped = false;
        double turned = 0;
        for (std::size_t i = 0; i < recording.gps.size(); ++i) {
            const sg::GpsFix& fix = recording.gps[i];
            EXPECT_GT(Degrees(fix.latitudeRaw), 25.03);
            EXPECT_LT(Degrees(fix.latitudeRaw), 25.08);
            EXPECT_GT(Degrees(fix.longitudeRaw), 121.50);
            EXPECT_LT(Degrees(fix.longitudeRaw), 121.57);
            EXPECT_GE(fix.altitude, 0);
            EXPECT_LE(fix.altitude, 60);
            EXPECT_LE(fix.speedKmh, 70);
            EXPECT_EQ(fix.status, 1);
            ASSERT_TRUE(fix.clock);
            EXPECT_EQ(fix.clock->Text(), drive.driveStart.Plus(static_cast<int>(i) / rate).Text());
            if (i > 0) {
                stopped |= fix.speedKmh == 0 && recording.gps[i - 1].speedKmh > 0;
            }
            if (i >= 10u * rate) {
                turned =
                    std::max(turned, AngleBetween(fix.headingHalf * 2.0,
                                                  recording.gps[i - 10u * rate].headingHalf * 2.0));
            }
        }
        if (rate == 1) {
            EXPECT_TRUE(stopped) << "a city drive stops at lights";
            EXPECT_GE(turned, 80) << "and turns corners";
        }

        // The sensor's forward axis is the change of GPS speed.
        for (std::size_t s = 0; s + 1 < static_cast<std::size_t>(seconds); ++s) {
            double sum = 0;
            for (std::size_t k = 0; k < 10; ++k) {
                sum += recording.gsensor[s * 10 + k].y;
            }
            const double measured = sum / 10 / kRawPerG * kGravity;
            const double fromGps =
                (recording.gps[(s + 1) * rate].speedKmh - recording.gps[s * rate].speedKmh) / 3.6;
            EXPECT_NEAR(measured, fromGps, 0.45) << "second " << s;
        }
        for (const sg::GSample& g : recording.gsensor) {
            EXPECT_NEAR(g.z, 64, 4);
            EXPECT_LT(std::abs(g.x), 25);  // corners at a comfortable pace
        }
    }
}

TEST(DrivingRecording, HardBrakeIsSharpAndTheDriveRejoinsItsPlan) {
    // Brake where the planned drive is moving briskly, early enough that the
    // car has caught up with its plan by the end of the recording.
    sg::DriveSpec drive = SmallDrive(60, 5, 4);
    sg::RecordingSpec plain;
    int brakeAt = -1;
    for (drive.driveOffsetSeconds = 0; drive.driveOffsetSeconds < 600 && brakeAt < 0;
         drive.driveOffsetSeconds += 60) {
        plain = sg::MakeDrivingRecording(drive);
        for (int s = 5; s <= 25 && brakeAt < 0; ++s) {
            if (plain.gps[static_cast<std::size_t>(s * 5)].speedKmh >= 40) {
                brakeAt = s;
            }
        }
    }
    drive.driveOffsetSeconds -= 60;
    ASSERT_GE(brakeAt, 0) << "the drive never reaches 40 km/h early in a minute";
    drive.hardBrakeAtSecond = brakeAt;
    const sg::RecordingSpec braking = sg::MakeDrivingRecording(drive);

    ExpectDriveAgrees(braking.gps, 5, "braking");
    const auto at = [](int second) { return static_cast<std::size_t>(second); };
    int lowest = 0;
    for (std::size_t i = at(brakeAt) * 10; i < at(brakeAt + 3) * 10; ++i) {
        lowest = std::min<int>(lowest, braking.gsensor[i].y);
    }
    EXPECT_LT(lowest, -0.7 * kRawPerG);
    EXPECT_GT(lowest, -1.0 * kRawPerG);
    const int before = braking.gps[at(brakeAt) * 5].speedKmh;
    const int after = braking.gps[at(brakeAt + 2) * 5].speedKmh;
    EXPECT_LE(after, before - 25) << "from " << before << " km/h";

    // Untouched before the event, and back on the plan by the end, so the
    // next recording (made without the event) continues from here.
    EXPECT_EQ(braking.gps[at(brakeAt) * 5 - 1].Encode(), plain.gps[at(brakeAt) * 5 - 1].Encode());
    EXPECT_EQ(braking.gps.back().Encode(), plain.gps.back().Encode());
}

TEST(DrivingRecording, ConsecutiveRecordingsContinueOneDrive) {
    sg::DriveSpec whole = SmallDrive(180, 5, 3);
    const sg::RecordingSpec long_ = sg::MakeDrivingRecording(whole);
    for (int k = 0; k < 3; ++k) {
        sg::DriveSpec part = SmallDrive(60, 5, 3);
        part.driveOffsetSeconds = 60 * k;
        const sg::RecordingSpec piece = sg::MakeDrivingRecording(part);
        EXPECT_EQ(piece.iditText, whole.driveStart.Plus(60 * k).Text());
        ASSERT_EQ(piece.gps.size(), 300u);
        for (std::size_t i = 0; i < piece.gps.size(); ++i) {
            ASSERT_EQ(piece.gps[i].Encode(), long_.gps[300 * k + i].Encode()) << k << " " << i;
        }
        for (std::size_t i = 0; i < piece.gsensor.size(); ++i) {
            const sg::GSample& a = piece.gsensor[i];
            const sg::GSample& b = long_.gsensor[600 * k + i];
            ASSERT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << k << " " << i;
        }
    }
}

// ---- the sample folder ----

class SampleFolder : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new fs::path(tavrel::test::FreshFolder("card"));
        sg::SampleFolderOptions options;
        options.width = 32;
        options.height = 32;
        options.framesPerSecond = 1;
        report_ = new sg::SampleFolderReport(sg::MakeSampleFolder(*folder_, options));
    }
    static void TearDownTestSuite() {
        delete report_;
        delete folder_;
    }

    static std::set<std::string> Relative(const std::vector<fs::path>& paths) {
        std::set<std::string> names;
        for (const fs::path& p : paths) {
            names.insert(p.lexically_relative(*folder_).generic_string());
        }
        return names;
    }

    static fs::path* folder_;
    static sg::SampleFolderReport* report_;
};

fs::path* SampleFolder::folder_ = nullptr;
sg::SampleFolderReport* SampleFolder::report_ = nullptr;

TEST_F(SampleFolder, WritesWhatAViewerMustTakeAndLeave) {
    EXPECT_EQ(Relative(report_->accepted),
              (std::set<std::string>{"FILE0001.AVI", "FILE0002.AVI", "FILE0003.AVI", "FILE0004.AVI",
                                     "MOVIE/FILE0101.AVI", "MOVIE/EVGS0102.AVI",
                                     "MOVIE/FILE0103.AVI", "FILE0201.AVI"}));
    EXPECT_EQ(Relative(report_->rejected),
              (std::set<std::string>{"FILE001.AVI", "ABCDEFGH.AVI", "FILE0300.AVI", "FILE0301.AVI",
                                     ".Trash/FILE0400.AVI", ".FILE0401.AVI"}));

    const auto writable = [](const fs::path& p) {
        return (fs::status(p).permissions() & fs::perms::owner_write) != fs::perms::none;
    };
    for (const fs::path& p : report_->accepted) {
        SCOPED_TRACE(p.string());
        const Bytes b = ReadAll(p);
        ASSERT_GT(b.size(), 12u);
        EXPECT_EQ(Code(b, 8), "AVI ");
        WalkFile(b);
        const std::string name = p.filename().string();
        EXPECT_EQ(writable(p), name != "EVGS0102.AVI" && name != "FILE0201.AVI");
    }
    // Rejected by name or place only: these are sound recordings.
    for (const char* name :
         {"FILE001.AVI", "ABCDEFGH.AVI", ".Trash/FILE0400.AVI", ".FILE0401.AVI"}) {
        const Bytes b = ReadAll(*folder_ / name);
        ASSERT_GT(b.size(), 12u) << name;
        EXPECT_EQ(Code(b, 0), "RIFF") << name;
        WalkFile(b);
    }
    EXPECT_NE(Code(ReadAll(*folder_ / "FILE0300.AVI"), 0), "RIFF");

    // Cut off: the movi list claims more than the file holds.
    const Bytes cut = ReadAll(*folder_ / "FILE0301.AVI");
    std::vector<Element> elements;
    EXPECT_FALSE(Walk(cut, 12, cut.size(), "", elements));
    const std::size_t movi = 12 + 8 + Le32(cut, 16);
    ASSERT_EQ(Code(cut, movi + 8), "movi");
    EXPECT_GT(movi + 8 + Le32(cut, movi + 4), cut.size());
}

TEST_F(SampleFolder, RunsAreConsecutiveAndTheCarMovesOnWithoutJumps) {
    const std::vector<std::vector<std::string>> runs = {
        {"FILE0001.AVI", "FILE0002.AVI", "FILE0003.AVI", "FILE0004.AVI"},
        {"MOVIE/FILE0101.AVI", "MOVIE/EVGS0102.AVI", "MOVIE/FILE0103.AVI"},
        {"FILE0201.AVI"}};
    std::vector<FileTelemetry> firsts;
    std::vector<FileTelemetry> lasts;
    for (const auto& run : runs) {
        std::vector<FileTelemetry> files;
        for (const std::string& name : run) {
            files.push_back(ReadTelemetry(*folder_ / name));
            const FileTelemetry& t = files.back();
            ASSERT_EQ(t.gps.size(), 60u * t.gpsRate) << name;
            ASSERT_TRUE(t.gps.front().clock) << name;
            EXPECT_EQ(t.gps.front().clock->Text(), t.idit) << name;
            ExpectDriveAgrees(t.gps, static_cast<int>(t.gpsRate), name);
        }
        for (std::size_t k = 1; k < files.size(); ++k) {
            const FileTelemetry& prev = files[k - 1];
            const FileTelemetry& next = files[k];
            SCOPED_TRACE(run[k]);
            EXPECT_EQ(next.idit, prev.gps.back().clock->Plus(1).Text());
            ExpectFixesAgree(prev.gps.back(), next.gps.front(), 1.0 / next.gpsRate, "boundary");
        }
        firsts.push_back(files.front());
        lasts.push_back(files.back());
    }
    EXPECT_EQ(firsts[0].gpsRate, 1u);
    EXPECT_EQ(firsts[1].gpsRate, 5u);
    // About an hour between the first two runs, the third on the next day.
    const auto seconds = [](const sg::WallClock& c) {
        return ((c.day * 24 + c.hour) * 60 + c.minute) * 60 + c.second;
    };
    const int gap = seconds(*firsts[1].gps.front().clock) - seconds(*lasts[0].gps.back().clock);
    EXPECT_GT(gap, 45 * 60);
    EXPECT_LT(gap, 90 * 60);
    EXPECT_EQ(firsts[2].gps.front().clock->day, firsts[0].gps.front().clock->day + 1);
}

TEST_F(SampleFolder, EventRecordingHoldsTheHardBrake) {
    const FileTelemetry t = ReadTelemetry(*folder_ / "MOVIE/EVGS0102.AVI");
    ASSERT_EQ(t.gsensor.size(), 600u);
    int lowest = 0;
    std::size_t lowestAt = 0;
    for (std::size_t i = 0; i < t.gsensor.size(); ++i) {
        if (t.gsensor[i].y < lowest) {
            lowest = t.gsensor[i].y;
            lowestAt = i;
        }
    }
    EXPECT_LT(lowest, -0.7 * kRawPerG);
    EXPECT_GE(lowestAt, 250u);
    EXPECT_LT(lowestAt, 280u);
    EXPECT_LE(t.gps[27 * 5].speedKmh + 25, t.gps[25 * 5].speedKmh);
}

}  // namespace
