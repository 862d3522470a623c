#pragma once

#include <string>

namespace tavrel {

// A number as "%f" writes it in the C locale: six decimals after a full stop,
// whatever the user's locale. Map scripts, KML and GPX files parse these
// texts, and a decimal comma would break every one of them.
std::string FormatFixed6(double value);

}  // namespace tavrel
