#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace tavrel {

// The camera writes every multi-byte value little-endian, whatever the host.
inline std::uint16_t ReadLe16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t ReadLe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::uint64_t ReadLe64(const std::uint8_t* p) {
    return static_cast<std::uint64_t>(ReadLe32(p)) |
           (static_cast<std::uint64_t>(ReadLe32(p + 4)) << 32);
}

inline double ReadLeDouble(const std::uint8_t* p) {
    return std::bit_cast<double>(ReadLe64(p));
}

// A four-character chunk identifier as the 32-bit little-endian word the
// reader compares.
constexpr std::uint32_t FourCC(const char (&text)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 8) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 16) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24);
}

}  // namespace tavrel
