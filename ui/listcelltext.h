#pragma once

#include <cstdint>

#include <QString>

namespace tavrel {

// The texts of the recording lists' cells.

// "G3", and "G3-7" for the eighth recording of run 3.
QString RunIdText(int groupNumber);
QString RecordingIdText(int groupNumber, int indexInGroup);

// Whole seconds between two spaces: " 59 s ".
QString SecondsText(std::uint64_t lengthMs);

// Whole mebibytes, rounded down, after a space: " 5120 MB".
QString MebibytesText(std::uint64_t bytes);

// A calendar time in local time with strftime's format; empty when the time
// cannot be converted or the format gives nothing.
QString LocalTimeText(std::int64_t time, const char* format);

// The moment a recording ends, to the whole second: its start plus its
// length cut to seconds.
std::int64_t EndTime(std::int64_t startTime, std::uint32_t lengthMs);

}  // namespace tavrel
