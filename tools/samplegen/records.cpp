#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "bytes.h"
#include "samplegen.h"

namespace tavrel::samplegen {

namespace {

// Proleptic Gregorian day numbers, so clock arithmetic never touches the
// host's time zone or the C library's range limits.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace

std::string WallClock::Text() const {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text;
}

WallClock WallClock::Plus(std::int64_t seconds) const {
    const std::int64_t total =
        DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second + seconds;
    const std::int64_t days = FloorDiv(total, 86400);
    const std::int64_t rest = total - days * 86400;
    WallClock out;
    CivilFromDays(days, out.year, out.month, out.day);
    out.hour = static_cast<int>(rest / 3600);
    out.minute = static_cast<int>(rest / 60 % 60);
    out.second = static_cast<int>(rest % 60);
    return out;
}

std::vector<std::uint8_t> GpsFix::Encode() const {
    std::vector<std::uint8_t> out;
    out.reserve(32);
    detail::PutF64(out, latitudeRaw);
    detail::PutF64(out, longitudeRaw);
    detail::PutI32(out, altitude);
    detail::PutU16(out, speedKmh);
    if (clock) {
        detail::PutU8(out, static_cast<std::uint32_t>(clock->year - 2000));
        detail::PutU8(out, static_cast<std::uint32_t>(clock->month));
        detail::PutU8(out, static_cast<std::uint32_t>(clock->day));
        detail::PutU8(out, static_cast<std::uint32_t>(clock->hour));
        detail::PutU8(out, static_cast<std::uint32_t>(clock->minute));
        detail::PutU8(out, static_cast<std::uint32_t>(clock->second));
    } else {
        out.insert(out.end(), 6, 0);
    }
    detail::PutU8(out, headingHalf);
    detail::PutU8(out, status);
    detail::PutU16(out, 0);
    return out;
}

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    // Sample folders hold read-only recordings; replacing one must not depend
    // on being allowed to open it for writing.
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ignored);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot create " + path.string() + ": " + std::strerror(errno));
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace tavrel::samplegen
