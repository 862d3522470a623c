#pragma once

#include <string>
#include <vector>

namespace tavrel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

using Arguments = std::vector<std::string>;

// Prints the usage text on standard error and returns kExitUsage.
int Usage();

int RunInfo(const Arguments& arguments);
int RunScan(const Arguments& arguments);
int RunKml(const Arguments& arguments);
int RunGpx(const Arguments& arguments);
int RunTrack(const Arguments& arguments);

}  // namespace tavrel::cli
