#pragma once

#include <cstdint>
#include <vector>

#include "samplegen.h"

namespace tavrel::samplegen::detail {

// What one frame of the scene depends on.
struct SceneMoment {
    double seconds = 0;   // since the recording started
    double distance = 0;  // metres driven since the recording started
    double speed = 0;     // m/s
    double heading = 0;   // radians, for the far skyline
    double yawRate = 0;   // rad/s, positive turning right
    WallClock clock;      // shown in the picture
};

// Draws the camera's view into an RGB buffer of width * height * 3 bytes.
void DrawScene(std::vector<std::uint8_t>& rgb, int width, int height, const SceneMoment& moment);

std::vector<std::uint8_t> EncodeJpeg(const std::vector<std::uint8_t>& rgb, int width, int height,
                                     int quality);

}  // namespace tavrel::samplegen::detail
