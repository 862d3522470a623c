#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tavrel::samplegen::detail {

// The camera writes every field little-endian, whatever the host.
inline void PutU8(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
}
inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU8(out, v);
    PutU8(out, v >> 8);
}
inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v);
    PutU16(out, v >> 16);
}
inline void PutI32(std::vector<std::uint8_t>& out, std::int32_t v) {
    PutU32(out, static_cast<std::uint32_t>(v));
}
inline void PutF64(std::vector<std::uint8_t>& out, double v) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    PutU32(out, static_cast<std::uint32_t>(bits));
    PutU32(out, static_cast<std::uint32_t>(bits >> 32));
}
// Four-character codes shorter than four are space-filled, as RIFF pads them.
inline void PutFourCc(std::vector<std::uint8_t>& out, const std::string& code) {
    for (std::size_t i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(i < code.size() ? code[i] : ' '));
    }
}
inline std::uint32_t FourCcValue(const char (&code)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[0])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(code[3])) << 24;
}

}  // namespace tavrel::samplegen::detail
