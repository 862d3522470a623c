#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "riffnode.h"
#include "samplegen.h"

namespace tavrel::test {

// A fresh folder under the test's temporary directory, emptied first.
std::filesystem::path FreshFolder(const std::string& name);

// Writes a generated recording and returns its path as a string.
std::string WriteRecording(const std::filesystem::path& path, const samplegen::RiffNode& recording);

// Seconds since the epoch of UTC wall-clock fields (tests pin TZ=UTC, so the
// reader's local time is UTC).
std::int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second);

// A small recording that is quick to generate: 160 x 120 at one frame a
// second, `seconds` long, with the given start written into the IDIT chunk.
samplegen::RecordingSpec ShortRecording(int seconds, const samplegen::WallClock& start);

void MakeReadOnly(const std::filesystem::path& path);

}  // namespace tavrel::test
