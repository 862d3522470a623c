#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "benchfolder.h"
#include "samplegen.h"

namespace {

namespace sg = tavrel::samplegen;

constexpr const char* kUsage =
    "usage:\n"
    "  tavrel-samplegen folder OUTDIR [--width W --height H --fps F]\n"
    "      an SD card's worth of recordings, including files a viewer must reject\n"
    "  tavrel-samplegen recording OUT.AVI [--seconds N --width W --height H --fps F\n"
    "      --gps-rate R --start \"YYYY-MM-DD HH:MM:SS\" --hard-brake S --seed N\n"
    "      --declare ID=SIZE]\n"
    "      one recording of a drive through the city; --declare writes SIZE (up to\n"
    "      4294967295) into the size field of its first ID chunk or list, as a\n"
    "      damaged recording carries it\n"
    "  tavrel-samplegen bench-folder OUTDIR --count N [--fps F --width W --height H]\n"
    "      N consecutive one-minute recordings in 100MEDIA/, 101MEDIA/, ... (500 each;\n"
    "      defaults 160x120 at 1 frame/s)\n";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int ParseInt(const std::string& option, const std::string& text, int low, int high) {
    std::size_t used = 0;
    long value = 0;
    try {
        value = std::stol(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || text.empty() || value < low || value > high) {
        throw UsageError(option + " needs a whole number from " + std::to_string(low) + " to " +
                         std::to_string(high));
    }
    return static_cast<int>(value);
}

sg::WallClock ParseClock(const std::string& text) {
    sg::WallClock c;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &c.year, &c.month, &c.day, &c.hour,
                    &c.minute, &c.second, &tail) != 6 ||
        c.year < 2000 || c.year > 2255 || c.month < 1 || c.month > 12 || c.day < 1 || c.day > 31 ||
        c.hour > 23 || c.minute > 59 || c.second > 59 || c.Plus(0).day != c.day) {
        throw UsageError("--start needs \"YYYY-MM-DD HH:MM:SS\" (a year from 2000 to 2255)");
    }
    return c;
}

// "--name value" pairs after the command's positional argument.
std::map<std::string, std::string> ParseOptions(const std::vector<std::string>& args,
                                                const std::set<std::string>& known) {
    std::map<std::string, std::string> options;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (!known.contains(args[i])) {
            throw UsageError("unknown option " + args[i]);
        }
        if (i + 1 >= args.size()) {
            throw UsageError(args[i] + " needs a value");
        }
        options[args[i]] = args[i + 1];
    }
    return options;
}

int OptionOr(const std::map<std::string, std::string>& options, const std::string& name,
             int fallback, int low, int high) {
    const auto it = options.find(name);
    return it == options.end() ? fallback : ParseInt(name, it->second, low, high);
}

// "ID=SIZE": a four-character chunk identifier or list type and the size to
// declare for it.
std::pair<std::string, std::uint32_t> ParseDeclaredSize(const std::string& text) {
    const std::string::size_type equals = text.find('=');
    const std::string size = equals == std::string::npos ? std::string() : text.substr(equals + 1);
    std::size_t used = 0;
    unsigned long long value = 0;
    try {
        value = std::stoull(size, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (equals != 4 || size.empty() || used != size.size() || size.front() == '-' ||
        value > 0xFFFFFFFFull) {
        throw UsageError("--declare needs ID=SIZE: four characters and a size up to 4294967295");
    }
    return {text.substr(0, 4), static_cast<std::uint32_t>(value)};
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Run(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        throw UsageError("missing command or output path");
    }
    const std::string& command = args[0];
    const std::filesystem::path out = args[1];
    const std::vector<std::string> rest(args.begin() + 2, args.end());
    const auto started = std::chrono::steady_clock::now();

    if (command == "folder") {
        const auto options = ParseOptions(rest, {"--width", "--height", "--fps"});
        sg::SampleFolderOptions folder;
        folder.width = OptionOr(options, "--width", folder.width, 16, 4096);
        folder.height = OptionOr(options, "--height", folder.height, 16, 4096);
        folder.framesPerSecond = OptionOr(options, "--fps", folder.framesPerSecond, 1, 60);
        const sg::SampleFolderReport report = sg::MakeSampleFolder(out, folder);
        for (const auto& path : report.accepted) {
            std::cout << "accepted " << path.string() << '\n';
        }
        for (const auto& path : report.rejected) {
            std::cout << "rejected " << path.string() << '\n';
        }
    } else if (command == "recording") {
        const auto options =
            ParseOptions(rest, {"--seconds", "--width", "--height", "--fps", "--gps-rate",
                                "--start", "--hard-brake", "--seed", "--declare"});
        sg::DriveSpec drive;
        drive.seconds = OptionOr(options, "--seconds", drive.seconds, 1, 3600);
        drive.width = OptionOr(options, "--width", drive.width, 16, 4096);
        drive.height = OptionOr(options, "--height", drive.height, 16, 4096);
        drive.framesPerSecond = OptionOr(options, "--fps", drive.framesPerSecond, 1, 60);
        drive.gpsRecordsPerSecond =
            OptionOr(options, "--gps-rate", drive.gpsRecordsPerSecond, 1, 50);
        drive.routeSeed = static_cast<std::uint32_t>(OptionOr(options, "--seed", 1, 0, 1 << 30));
        if (const auto it = options.find("--start"); it != options.end()) {
            drive.driveStart = ParseClock(it->second);
        }
        if (options.contains("--hard-brake")) {
            drive.hardBrakeAtSecond = OptionOr(options, "--hard-brake", 0, 0, drive.seconds - 1);
        }
        sg::RiffNode recording = sg::BuildRecording(sg::MakeDrivingRecording(drive));
        if (const auto it = options.find("--declare"); it != options.end()) {
            const auto [id, size] = ParseDeclaredSize(it->second);
            sg::RiffNode* element = recording.Find(id);
            if (element == nullptr) {
                throw UsageError("--declare: the recording holds no " + id);
            }
            element->declaredSize = size;
        }
        sg::WriteFile(out, recording.Serialize());
        std::cout << out.string() << '\n';
    } else if (command == "bench-folder") {
        const auto options = ParseOptions(rest, {"--count", "--fps", "--width", "--height"});
        if (!options.contains("--count")) {
            throw UsageError("bench-folder needs --count");
        }
        sg::BenchFolderOptions bench;
        bench.count = OptionOr(options, "--count", 0, 1, 9999);
        bench.width = OptionOr(options, "--width", bench.width, 16, 4096);
        bench.height = OptionOr(options, "--height", bench.height, 16, 4096);
        bench.framesPerSecond = OptionOr(options, "--fps", bench.framesPerSecond, 1, 60);
        const auto written = sg::MakeBenchFolder(out, bench);
        std::cout << written.size() << " recordings in " << out.string() << " ("
                  << written.front().parent_path().filename().string() << " to "
                  << written.back().parent_path().filename().string() << ")\n";
    } else {
        throw UsageError("unknown command " + command);
    }
    std::cerr << "done in " << SecondsSince(started) << " s\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError& e) {
        std::cerr << "tavrel-samplegen: " << e.what() << "\n\n" << kUsage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tavrel-samplegen: " << e.what() << '\n';
        return 1;
    }
}
