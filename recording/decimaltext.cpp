#include "decimaltext.h"

#include <charconv>

namespace tavrel {

std::string FormatFixed6(double value) {
    char text[400];  // room for the widest double in fixed notation
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

}  // namespace tavrel
