#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
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

RunResult RunCli(const std::string& arguments) {
    const std::string command = std::string(TAVREL_CLI) + " " + arguments + " 2>/dev/null";
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
    samplegen::RecordingSpec spec = test::ShortRecording(3, {2012, 5, 1, 10, 20, 30});
    spec.gpsRateWord = 5;
    spec.gsensorRateWord = 0x20A;
    spec.gps.resize(15);
    spec.gsensor.resize(30);
    test::WriteRecording(folder / "FILE0001.AVI", samplegen::BuildRecording(spec));
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

TEST(Cli, ExitStatusTellsUsageAndMissingFolderApart) {
    EXPECT_EQ(RunCli("").status, 2);
    EXPECT_EQ(RunCli("info").status, 2);
    EXPECT_EQ(RunCli("scan").status, 2);
    EXPECT_EQ(RunCli("frobnicate x").status, 2);
    EXPECT_EQ(RunCli("scan " + Quoted(test::FreshFolder("cli-missing") / "none")).status, 1);
}

}  // namespace
}  // namespace tavrel
