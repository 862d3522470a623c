#pragma once

#include <cstdint>
#include <vector>

#include "samplegen.h"

namespace tavrel::samplegen::detail {

// A recording's pictures and sound, ready to be put in chunks: each frame a
// JPEG already padded to an even size, each audio block one frame's PCM.
struct EncodedMedia {
    std::vector<std::vector<std::uint8_t>> frames;
    std::vector<std::vector<std::uint8_t>> audio;
};

EncodedMedia EncodeMedia(const RecordingSpec& recording);

// The RIFF tree around media made by EncodeMedia for a recording with the
// same picture size, rate, frame count and streams; only headers, IDIT and
// telemetry come from `recording`, so many files can share one encoding.
RiffNode AssembleRecording(const RecordingSpec& recording, const EncodedMedia& media);

}  // namespace tavrel::samplegen::detail
