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
// Flushes standard output: kExitOk when everything printed reached it,
// otherwise a message on standard error and kExitFailure, so that a script
// never takes a cut-off output for a whole one.
int FinishOutput();

int RunInfo(const Arguments& arguments);
int RunScan(const Arguments& arguments);
int RunKml(const Arguments& arguments);
int RunGpx(const Arguments& arguments);
int RunTrack(const Arguments& arguments);

}  // namespace tavrel::cli
