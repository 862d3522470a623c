#include "calendartime.h"

#include <ctime>

namespace tavrel {

namespace {
constexpr int kLastRepresentableYear = 3000;
}

std::optional<std::int64_t> LocalCalendarTime(const CalendarFields& fields) {
    if (fields.year > kLastRepresentableYear) {
        return std::nullopt;
    }
    std::tm tm{};
    tm.tm_year = fields.year - 1900;
    tm.tm_mon = fields.month - 1;
    tm.tm_mday = fields.day;
    tm.tm_hour = fields.hour;
    tm.tm_min = fields.minute;
    tm.tm_sec = fields.second;
    tm.tm_isdst = -1;
    const std::time_t time = std::mktime(&tm);
    // mktime gives -1 both for failure and for the last second of 1969; both
    // lie before the epoch and are refused alike.
    if (time < 0 || tm.tm_year + 1900 > kLastRepresentableYear) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(time);
}

std::string FormatLocalTime(std::int64_t time, const char* format) {
    const std::time_t value = static_cast<std::time_t>(time);
    std::tm local{};
    if (::localtime_r(&value, &local) == nullptr) {
        return {};
    }
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

}  // namespace tavrel
