#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tavrel {

// Wall-clock fields of a moment, taken as local time.
struct CalendarFields {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Seconds since 1970-01-01 00:00 UTC of wall-clock fields read as local time
// (the local-time rules decide on daylight saving). Nothing for a moment the
// viewer does not represent: before 1970 or after the year 3000.
std::optional<std::int64_t> LocalCalendarTime(const CalendarFields& fields);

// A calendar time formatted in local time with strftime's format.
std::string FormatLocalTime(std::int64_t time, const char* format);

}  // namespace tavrel
