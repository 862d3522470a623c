#include "mapscripts.h"

#include <charconv>

#include "catalogviews.h"
#include "telemetry.h"

namespace tavrel {

std::string FormatFixed6(double value) {
    char text[400];  // room for the widest double in fixed notation
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

std::string PointScript(const char* function, double latitude, double longitude) {
    return std::string(function) + "(" + FormatFixed6(latitude) + "," + FormatFixed6(longitude) +
           ")";
}

std::string MovePositionScript(double latitude, double longitude) {
    return "movpos(" + FormatFixed6(NmeaToDegrees(latitude)) + ", " +
           FormatFixed6(NmeaToDegrees(longitude)) + ")";
}

void MapView::MovePosition(double latitude, double longitude, int /*headingDegrees*/) {
    RunScript(MovePositionScript(latitude, longitude));
}

}  // namespace tavrel
