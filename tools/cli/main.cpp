// tavrel-cli: the viewer's reading of recordings and folders, for scripts.

#include <cstdio>
#include <iostream>
#include <map>

#include "commands.h"

namespace tavrel::cli {

namespace {

constexpr const char* kUsage =
    "usage: tavrel-cli info FILE...\n"
    "       tavrel-cli scan FOLDER\n"
    "       tavrel-cli kml FILE [--root FOLDER] --folder OUTDIR\n"
    "       tavrel-cli gpx FOLDER -o FILE\n"
    "       tavrel-cli track FILE [--gsensor]\n"
    "\n"
    "info   prints one JSON object per file: whether the viewer can play it and,\n"
    "       when it can, what its headers say.\n"
    "scan   scans a folder and its subfolders as the viewer does and prints the\n"
    "       groups of consecutive recordings and the recordings as one JSON object.\n"
    "kml    writes the recording's GPS track into OUTDIR as the viewer's KML\n"
    "       command does and prints the path written; FOLDER is the opened folder\n"
    "       the recording's subfolder is taken from (default: the file's folder).\n"
    "gpx    writes the GPS tracks of a whole folder as one GPX 1.1 file: a track\n"
    "       per run of consecutive recordings, a segment per recording. FILE is\n"
    "       replaced only when it is a GPX file this tool wrote: never a recording\n"
    "       or any other file.\n"
    "track  prints the recording's usable GPS fixes as CSV, or with --gsensor its\n"
    "       G-sensor samples in G.\n"
    "\n"
    "Files are written whole or not at all. The exit status is 1 when anything\n"
    "could not be read or written, standard output included, and 2 for a wrong\n"
    "command line.\n";

}  // namespace

int Usage() {
    std::cerr << kUsage;
    return kExitUsage;
}

int FinishOutput() {
    // The stream writes through stdio, whose error flag also remembers a
    // write that failed before the flush.
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && std::ferror(stdout) == 0) {
        return kExitOk;
    }
    std::cerr << "tavrel-cli: cannot write the output\n";
    return kExitFailure;
}

}  // namespace tavrel::cli

int main(int argc, char** argv) {
    using namespace tavrel::cli;
    if (argc < 2) {
        return Usage();
    }
    const std::string command = argv[1];
    const Arguments arguments(argv + 2, argv + argc);
    const std::map<std::string, int (*)(const Arguments&)> commands = {
        {"info", RunInfo}, {"scan", RunScan}, {"kml", RunKml}, {"gpx", RunGpx}, {"track", RunTrack},
    };
    if (const auto found = commands.find(command); found != commands.end()) {
        return found->second(arguments);
    }
    return Usage();
}
