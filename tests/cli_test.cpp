#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include <nlohmann/json.hpp>

#include "testsupport.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct RunResult {
    int status = -1;
    std::string out;
};

// `environment` holds assignments for the command's environment, or shell
// commands ending with ";"; with `withErrors` the standard error is read
// along with the output; `output` redirects the standard output instead.
RunResult RunCli(const std::string& arguments, const std::string& environment = {},
                 bool withErrors = false, const std::string& output = {}) {
    const std::string command = environment + " " + TAVREL_CLI + " " + arguments +
                                (withErrors ? " 2>&1" : " 2>/dev/null") + " " + output;
    RunResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
        result.out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

TEST(Cli, InfoPrintsOneObjectPerFile) {
    const fs::path folder = test::FreshFolder("cli-info");
    samplegen::RecordingSpec recipe = test::ShortRecording(3, {2012, 5, 1, 10, 20, 30});
    recipe.gpsRateWord = 5;
    recipe.gsensorRateWord = 0x20A;
    recipe.gps.resize(15);
    recipe.gsensor.resize(30);
    test::WriteRecording(folder / "FILE0001.AVI", samplegen::BuildRecording(recipe));
    samplegen::WriteFile(folder / "FILE0002.AVI", {'n', 'o'});

    const RunResult result =
        RunCli("info " + Quoted(folder / "FILE0001.AVI") + " " + Quoted(folder / "FILE0002.AVI"));
    ASSERT_EQ(result.status, 0);
    std::istringstream lines(result.out);
    std::string line;
    std::vector<json> objects;
    while (std::getline(lines, line)) {
        objects.push_back(json::parse(line));
    }
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0]["usable"], true);
    EXPECT_EQ(objects[0]["startTime"], test::UtcSeconds(2012, 5, 1, 10, 20, 30));
    EXPECT_EQ(objects[0]["lengthMs"], 3000);
    EXPECT_EQ(objects[0]["videoWidth"], 160);
    EXPECT_EQ(objects[0]["gpsSize"], 15 * 32);
    EXPECT_EQ(objects[0]["gsensorRateWord"], 0x20A);
    for (const char* field : {"gpsOffset", "gsensorOffset", "gsensorSize", "videoHeight",
                              "lengthSeconds", "fileSize", "gpsRateWord"}) {
        EXPECT_TRUE(objects[0][field].is_number_integer()) << field;
    }
    EXPECT_EQ(objects[1], (json{{"file", (folder / "FILE0002.AVI").string()}, {"usable", false}}));
}

TEST(Cli, ScanPrintsGroupsAndFiles) {
    const fs::path folder = test::FreshFolder("cli-scan");
    const samplegen::WallClock start{2012, 5, 1, 10, 0, 0};
    for (int i = 0; i < 2; ++i) {
        test::WriteRecording(
            folder / "MOVIE" / ("FILE000" + std::to_string(i + 1) + ".AVI"),
            samplegen::BuildRecording(test::ShortRecording(60, start.Plus(60 * i))));
    }
    const RunResult result = RunCli("scan " + Quoted(folder));
    ASSERT_EQ(result.status, 0);
    const json scan = json::parse(result.out);
    EXPECT_EQ(scan["hasGps"], false);
    EXPECT_EQ(scan["scanned"], 2);
    ASSERT_EQ(scan["groups"].size(), 1u);
    EXPECT_EQ(scan["groups"][0]["count"], 2);
    EXPECT_EQ(scan["groups"][0]["totalLengthMs"], 120000);
    EXPECT_EQ(scan["groups"][0]["resolution"], "160x120");
    ASSERT_EQ(scan["files"].size(), 2u);
    EXPECT_EQ(scan["files"][1]["name"], "FILE0002.AVI");
    EXPECT_EQ(scan["files"][1]["relativeFolder"], "MOVIE/");
    EXPECT_EQ(scan["files"][1]["indexInGroup"], 1);
}

// A run of two recordings in MOVIE/ with one usable fix, one without a fix
// and one beyond the coordinate range each, at two records a second.
fs::path TrackCard() {
    const fs::path folder = test::FreshFolder("cli-track");
    const samplegen::WallClock start{2012, 5, 1, 10, 20, 30};
    for (int i = 0; i < 2; ++i) {
        samplegen::RecordingSpec recipe = test::ShortRecording(60, start.Plus(60 * i));
        recipe.gpsRateWord = 2;
        recipe.gps.resize(3);
        recipe.gps[0].latitudeRaw = 2503.5;
        recipe.gps[0].longitudeRaw = 12130.25;
        recipe.gps[0].altitude = 35;
        recipe.gps[0].speedKmh = 36;
        recipe.gps[0].headingHalf = 45;
        recipe.gps[1] = recipe.gps[0];
        recipe.gps[1].status = 0;
        recipe.gps[2] = recipe.gps[0];
        recipe.gps[2].latitudeRaw = 20000;
        recipe.gps[2].status = 1;
        recipe.gsensorRateWord = 0x20A;
        recipe.gsensor = {{64, -128, 0}};
        test::WriteRecording(folder / "MOVIE" / ("FILE000" + std::to_string(i + 1) + ".AVI"),
                             samplegen::BuildRecording(recipe));
    }
    return folder;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(Cli, KmlWritesWhatTheViewerWould) {
    const fs::path card = TrackCard();
    const fs::path out = card / "out";
    const RunResult result = RunCli("kml " + Quoted(card / "MOVIE" / "FILE0002.AVI") + " --root " +
                                    Quoted(card) + " --folder " + Quoted(out));
    ASSERT_EQ(result.status, 0);
    const fs::path written = out / "FILE0002_2012_05_01_10-21-30.KML";
    EXPECT_EQ(result.out, written.string() + "\n");
    std::ifstream in(written);
    const std::string kml((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(kml.find("GPS Path of Car DV \"MOVIE//FILE0002.AVI\" 2012/05/01 10:21:30"),
              std::string::npos);
    EXPECT_NE(kml.find("<coordinates>\n121.504167,25.058333,35\n\n"), std::string::npos);

    // Without --root the file's own folder is the opened one.
    EXPECT_EQ(RunCli("kml " + Quoted(card / "MOVIE" / "FILE0001.AVI") + " --folder " + Quoted(out))
                  .status,
              0);
    EXPECT_EQ(RunCli("kml " + Quoted(card / "nothing.AVI") + " --folder " + Quoted(out)).status, 1);
    EXPECT_EQ(RunCli("kml " + Quoted(card / "MOVIE" / "FILE0001.AVI")).status, 2);
}

TEST(Cli, GpxHasATrackPerRunAndASegmentPerRecording) {
    const fs::path card = TrackCard();
    ASSERT_EQ(RunCli("gpx " + Quoted(card) + " -o " + Quoted(card / "all.gpx")).status, 0);
    std::ifstream in(card / "all.gpx");
    const std::string gpx((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(Count(gpx, "<trk>"), 1);
    EXPECT_EQ(Count(gpx, "<trkseg>"), 2);
    EXPECT_EQ(Count(gpx, "<trkpt lat=\"25.058333\" lon=\"121.504167\">"), 2);
    EXPECT_EQ(Count(gpx, "<trkpt"), 2);
    EXPECT_NE(gpx.find("<time>2012-05-01T10:21:30.000Z</time>"), std::string::npos);
    EXPECT_NE(gpx.find("<gpxtpx:speed>10.00</gpxtpx:speed><gpxtpx:course>90</gpxtpx:course>"),
              std::string::npos);
}

TEST(Cli, KmlAndGpxFailWhenARecordingCannotBeReadAfterTheScan) {
    const fs::path card = TrackCard();
    const fs::path out = card / "out";
    // The sanitizers' runtime would refuse a library loaded ahead of it.
    const std::string failing =
        std::string("LD_PRELOAD=") + TAVREL_FAILING_OPEN +
        " TAVREL_FAIL_REOPEN=/MOVIE/FILE0002.AVI"
        " ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0";

    const RunResult kml = RunCli("kml " + Quoted(card / "MOVIE" / "FILE0002.AVI") + " --root " +
                                     Quoted(card) + " --folder " + Quoted(out),
                                 failing, true);
    EXPECT_EQ(kml.status, 1);
    EXPECT_NE(kml.out.find("tavrel-cli: cannot read"), std::string::npos) << kml.out;
    EXPECT_TRUE(!fs::exists(out) || fs::is_empty(out));

    const RunResult gpx =
        RunCli("gpx " + Quoted(card) + " -o " + Quoted(card / "all.gpx"), failing, true);
    EXPECT_EQ(gpx.status, 1);
    EXPECT_NE(gpx.out.find("tavrel-cli: cannot read"), std::string::npos) << gpx.out;
    EXPECT_FALSE(fs::exists(card / "all.gpx"));

    // A recording without GPS data is read all the same: an empty track.
    const fs::path plain = test::FreshFolder("cli-plain");
    test::WriteRecording(plain / "FILE0001.AVI", samplegen::BuildRecording(test::ShortRecording(
                                                     3, {2012, 5, 1, 10, 0, 0})));
    EXPECT_EQ(RunCli("kml " + Quoted(plain / "FILE0001.AVI") + " --folder " + Quoted(plain / "out"))
                  .status,
              0);
    ASSERT_EQ(RunCli("gpx " + Quoted(plain) + " -o " + Quoted(plain / "all.gpx")).status, 0);
    std::ifstream in(plain / "all.gpx");
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(Count(text, "<trkseg>"), 1);
    EXPECT_EQ(Count(text, "<trkpt"), 0);
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST(Cli, GpxThatCannotBeWrittenLeavesTheEarlierExport) {
    const fs::path card = TrackCard();
    const fs::path out = card / "out";
    fs::create_directories(out);
    ASSERT_EQ(RunCli("gpx " + Quoted(card) + " -o " + Quoted(out / "all.gpx")).status, 0);
    const std::string earlier = ReadText(out / "all.gpx");
    // A full card without a file system to fill: writes beyond 512 bytes fail.
    const RunResult full = RunCli("gpx " + Quoted(card) + " -o " + Quoted(out / "all.gpx"),
                                  "trap '' XFSZ; ulimit -f 1;", true);
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.out.find("tavrel-cli: cannot write"), std::string::npos) << full.out;
    EXPECT_EQ(ReadText(out / "all.gpx"), earlier);
    EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 1);
}

TEST(Cli, GpxWritesOverNothingButAnEarlierExport) {
    const fs::path card = TrackCard();
    const fs::path recording = card / "MOVIE" / "FILE0001.AVI";
    const fs::path readOnly = card / "MOVIE" / "FILE0002.AVI";
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    const fs::path notes = card / "notes.gpx";
    std::ofstream(notes) << "<?xml version=\"1.0\"?>\n<gpx creator=\"someone else\"/>\n";
    const fs::path unlisted = card / "MOVIE" / "FILE0003.AVI";
    samplegen::WriteFile(unlisted, {'n', 'o'});
    for (const fs::path& target : {recording, readOnly, notes, unlisted, card / "MOVIE"}) {
        const std::string before = fs::is_regular_file(target) ? ReadText(target) : "";
        const RunResult result = RunCli("gpx " + Quoted(card) + " -o " + Quoted(target), {}, true);
        EXPECT_EQ(result.status, 1) << target;
        EXPECT_NE(result.out.find("tavrel-cli: will not write over"), std::string::npos)
            << result.out;
        // Compared rather than printed: a recording is binary.
        if (fs::is_regular_file(target)) {
            EXPECT_TRUE(ReadText(target) == before) << target;
        }
    }
    EXPECT_TRUE(fs::is_directory(card / "MOVIE"));
    // Nor by another spelling of the same recording.
    EXPECT_EQ(RunCli("gpx " + Quoted(card / "MOVIE" / ".." / "MOVIE") + " -o " +
                     Quoted(card / "MOVIE" / "." / "FILE0001.AVI"))
                  .status,
              1);

    const fs::path gpx = card / "all.gpx";
    ASSERT_EQ(RunCli("gpx " + Quoted(card) + " -o " + Quoted(gpx)).status, 0);
    fs::resize_file(gpx, 80);  // cut off, yet recognisably ours
    ASSERT_EQ(RunCli("gpx " + Quoted(card) + " -o " + Quoted(gpx)).status, 0);
    EXPECT_EQ(Count(ReadText(gpx), "<trkseg>"), 2);
}

TEST(Cli, OutputThatCannotBeWrittenIsAFailure) {
    const fs::path card = TrackCard();
    const std::string file = Quoted(card / "MOVIE" / "FILE0001.AVI");
    for (const std::string& arguments :
         {"info " + file, "scan " + Quoted(card), "track " + file, "track --gsensor " + file}) {
        for (const char* output : {">/dev/full", ">&-"}) {
            const RunResult result = RunCli(arguments, {}, true, output);
            EXPECT_EQ(result.status, 1) << arguments << ' ' << output;
            EXPECT_EQ(result.out, "tavrel-cli: cannot write the output\n")
                << arguments << ' ' << output;
        }
    }
}

TEST(Cli, TrackPrintsFixesOrSamplesAsCsv) {
    const fs::path card = TrackCard();
    const std::string file = Quoted(card / "MOVIE" / "FILE0001.AVI");
    const RunResult fixes = RunCli("track " + file);
    ASSERT_EQ(fixes.status, 0);
    EXPECT_EQ(fixes.out,
              "time_ms,latitude,longitude,altitude,speed_kmh,heading_degrees\n"
              "0,25.058333,121.504167,35,36,90\n");
    const RunResult samples = RunCli("track --gsensor " + file);
    ASSERT_EQ(samples.status, 0);
    EXPECT_EQ(samples.out, "time_ms,x_g,y_g,z_g\n0,1.0000,-2.0000,0.0000\n");
    EXPECT_EQ(RunCli("track " + Quoted(card / "none.AVI")).status, 1);
}

TEST(Cli, ExitStatusTellsUsageAndMissingFolderApart) {
    EXPECT_EQ(RunCli("").status, 2);
    EXPECT_EQ(RunCli("info").status, 2);
    EXPECT_EQ(RunCli("scan").status, 2);
    EXPECT_EQ(RunCli("frobnicate x").status, 2);
    EXPECT_EQ(RunCli("gpx folder").status, 2);
    EXPECT_EQ(RunCli("track a b").status, 2);
    EXPECT_EQ(RunCli("track --unknown a").status, 2);
    EXPECT_EQ(RunCli("scan " + Quoted(test::FreshFolder("cli-missing") / "none")).status, 1);
}

}  // namespace
}  // namespace tavrel
