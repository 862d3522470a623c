#pragma once

#include <string>

namespace tavrel {

// The calls of the map page's script interface. Numbers are written like
// "%f" in the C locale (six decimals, a full stop) whatever the user's
// locale, because the page parses them as script literals.

std::string FormatFixed6(double value);

// "name(latitude,longitude)" for path_plot, pathdrived_plot and
// draw_file_path_plot, with points in decimal degrees.
std::string PointScript(const char* function, double latitude, double longitude);

// "movpos(latitude, longitude)" for a point in the recording's form (degrees
// and minutes divided by 100), converted to decimal degrees.
std::string MovePositionScript(double latitude, double longitude);

inline constexpr const char* kPathDelete = "path_delete()";
inline constexpr const char* kPathPlot = "path_plot";
inline constexpr const char* kDrivenPathDelete = "pathdrived_delete()";
inline constexpr const char* kDrivenPathPlot = "pathdrived_plot";
inline constexpr const char* kGroupPathBegin = "draw_file_path_begin()";
inline constexpr const char* kGroupPathPlot = "draw_file_path_plot";
inline constexpr const char* kGroupPathEnd = "draw_file_path_end()";
inline constexpr const char* kGroupPathClearAll = "draw_file_path_clear_all()";

}  // namespace tavrel
