#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <thread>

#include "bytes.h"
#include "media.h"
#include "picture.h"
#include "samplegen.h"

namespace tavrel::samplegen {

namespace detail {

namespace {

constexpr std::uint32_t kAvifHasIndex = 0x10;
constexpr std::uint32_t kAviifKeyframe = 0x10;
constexpr int kJpegQuality = 85;

void CheckRecording(const RecordingSpec& recording) {
    if (recording.width <= 0 || recording.height <= 0 || recording.width > 8192 ||
        recording.height > 8192 || recording.framesPerSecond <= 0 || recording.frameCount < 0 ||
        recording.audioSampleRate <= 0) {
        throw std::invalid_argument("recording needs a positive picture size and rates");
    }
}

// How the car moves during the recording, read back from its own GPS
// records so the picture and the engine sound agree with the telemetry.
class Motion {
public:
    explicit Motion(const RecordingSpec& recording) {
        if (recording.gps.empty()) {
            return;
        }
        const double seconds =
            static_cast<double>(recording.frameCount) / recording.framesPerSecond;
        rate_ = recording.gpsRateWord && (*recording.gpsRateWord & 0xff) != 0
                    ? static_cast<double>(*recording.gpsRateWord & 0xff)
                    : std::max(1.0, std::round(recording.gps.size() / std::max(seconds, 1.0)));
        double previous = 0;
        for (const GpsFix& fix : recording.gps) {
            speeds_.push_back(fix.speedKmh / 3.6);
            double heading = fix.headingHalf * 2.0 * std::numbers::pi / 180;
            // Unwrapped, so a course through north does not spin the view.
            if (!headings_.empty()) {
                heading = previous + std::remainder(heading - previous, 2 * std::numbers::pi);
            }
            headings_.push_back(heading);
            previous = heading;
        }
    }

    double Speed(double t) const { return speeds_.empty() ? 9.0 : Sample(speeds_, t); }
    double Heading(double t) const { return headings_.empty() ? 0.0 : Sample(headings_, t); }
    double YawRate(double t) const {
        return headings_.empty() ? 0.0
                                 : (Sample(headings_, t + 0.25) - Sample(headings_, t - 0.25)) * 2;
    }

private:
    double Sample(const std::vector<double>& values, double t) const {
        const double at = std::clamp(t * rate_, 0.0, static_cast<double>(values.size() - 1));
        const auto i = static_cast<std::size_t>(at);
        if (i + 1 >= values.size()) {
            return values.back();
        }
        return values[i] + (values[i + 1] - values[i]) * (at - static_cast<double>(i));
    }

    double rate_ = 1;
    std::vector<double> speeds_;
    std::vector<double> headings_;
};

std::int64_t AudioSamplesBefore(std::int64_t frame, const RecordingSpec& recording) {
    return frame * recording.audioSampleRate / recording.framesPerSecond;
}

// A soft engine hum: the firing frequency follows the speed through the
// gears, with a little road rumble on top.
std::vector<std::int16_t> EngineSound(const RecordingSpec& recording, const Motion& motion) {
    const std::int64_t total = AudioSamplesBefore(recording.frameCount, recording);
    std::vector<std::int16_t> pcm(static_cast<std::size_t>(total));
    const double rate = recording.audioSampleRate;
    double phase = 0;
    double rumble = 0;
    std::uint32_t noise = 0x2545f491u;
    for (std::int64_t i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double v = motion.Speed(t);
        const double ratio = v < 4.5 ? 7.5 : v < 9 ? 4.6 : v < 14 ? 3.4 : 2.6;
        const double firing = std::max(26.0, v * ratio);
        phase += 2 * std::numbers::pi * firing / rate;
        if (phase > 2 * std::numbers::pi * 64) {
            phase -= 2 * std::numbers::pi * 64;
        }
        noise = noise * 1664525u + 1013904223u;
        const double white = static_cast<double>(noise >> 8) / double(1 << 24) - 0.5;
        rumble += (white - rumble) * 0.02;
        const double hum = 0.6 * std::sin(phase) + 0.35 * std::sin(2 * phase + 0.4) +
                           0.18 * std::sin(3 * phase + 1.1) + 0.25 * std::sin(0.5 * phase);
        const double level = 0.09 * (1 + 0.08 * std::sin(2 * std::numbers::pi * 0.7 * t));
        const double sample = level * hum + rumble * (0.3 + 0.05 * v);
        pcm[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(std::clamp(std::lround(sample * 32767), -32768L, 32767L));
    }
    return pcm;
}

std::vector<std::uint8_t> Avih(const RecordingSpec& recording, std::uint32_t streams,
                               std::uint32_t largestChunk, std::uint64_t mediaBytes) {
    std::vector<std::uint8_t> p;
    const double seconds = std::max(1.0, double(recording.frameCount) / recording.framesPerSecond);
    PutU32(p, static_cast<std::uint32_t>(1000000 / recording.framesPerSecond));
    PutU32(p, static_cast<std::uint32_t>(mediaBytes / seconds));
    PutU32(p, 0);  // padding granularity
    PutU32(p, kAvifHasIndex);
    PutU32(p, static_cast<std::uint32_t>(recording.frameCount));
    PutU32(p, 0);  // initial frames
    PutU32(p, streams);
    PutU32(p, largestChunk);
    PutU32(p, static_cast<std::uint32_t>(recording.width));
    PutU32(p, static_cast<std::uint32_t>(recording.height));
    p.resize(56, 0);
    return p;
}

std::vector<std::uint8_t> Strh(const char (&type)[5], std::uint32_t handler, std::uint32_t scale,
                               std::uint32_t rate, std::uint32_t length,
                               std::uint32_t suggestedBuffer, std::uint32_t sampleSize, int width,
                               int height) {
    std::vector<std::uint8_t> p;
    PutFourCc(p, type);
    PutU32(p, handler);
    PutU32(p, 0);  // flags
    PutU16(p, 0);  // priority
    PutU16(p, 0);  // language
    PutU32(p, 0);  // initial frames
    PutU32(p, scale);
    PutU32(p, rate);
    PutU32(p, 0);  // start
    PutU32(p, length);
    PutU32(p, suggestedBuffer);
    PutU32(p, 0xffffffffu);  // default quality
    PutU32(p, sampleSize);
    PutU16(p, 0);
    PutU16(p, 0);
    PutU16(p, static_cast<std::uint32_t>(width));
    PutU16(p, static_cast<std::uint32_t>(height));
    return p;
}

}  // namespace

EncodedMedia EncodeMedia(const RecordingSpec& recording) {
    CheckRecording(recording);
    EncodedMedia media;
    const Motion motion(recording);
    if (recording.withVideo) {
        media.frames.resize(static_cast<std::size_t>(recording.frameCount));
        // Distance driven at each frame, integrated once so frames can be
        // drawn in any order.
        std::vector<double> distance(media.frames.size(), 0.0);
        const double dt = 1.0 / recording.framesPerSecond;
        for (std::size_t i = 1; i < distance.size(); ++i) {
            const double t = static_cast<double>(i) * dt;
            distance[i] = distance[i - 1] + 0.5 * (motion.Speed(t - dt) + motion.Speed(t)) * dt;
        }
        const auto encodeFrames = [&](std::size_t first, std::size_t stride) {
            std::vector<std::uint8_t> rgb;
            for (std::size_t i = first; i < media.frames.size(); i += stride) {
                const double t = static_cast<double>(i) * dt;
                SceneMoment moment;
                moment.seconds = t;
                moment.distance = distance[i];
                moment.speed = motion.Speed(t);
                moment.heading = motion.Heading(t);
                moment.yawRate = motion.YawRate(t);
                moment.clock =
                    recording.clock.Plus(static_cast<std::int64_t>(i) / recording.framesPerSecond);
                DrawScene(rgb, recording.width, recording.height, moment);
                std::vector<std::uint8_t> jpeg =
                    EncodeJpeg(rgb, recording.width, recording.height, kJpegQuality);
                // Chunks are never padded, so an odd frame gets a byte that
                // decoders skip after the end-of-image marker.
                if (jpeg.size() % 2 != 0) {
                    jpeg.push_back(0);
                }
                media.frames[i] = std::move(jpeg);
            }
        };
        const std::size_t threads =
            std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1,
                                    std::min<std::size_t>(8, media.frames.size() + 1));
        std::vector<std::thread> workers;
        for (std::size_t t = 1; t < threads; ++t) {
            workers.emplace_back(encodeFrames, t, threads);
        }
        encodeFrames(0, threads);
        for (std::thread& worker : workers) {
            worker.join();
        }
    }
    if (recording.withAudio) {
        const std::vector<std::int16_t> pcm = EngineSound(recording, motion);
        for (std::int64_t i = 0; i < recording.frameCount; ++i) {
            std::vector<std::uint8_t> block;
            const std::int64_t from = AudioSamplesBefore(i, recording);
            const std::int64_t to = AudioSamplesBefore(i + 1, recording);
            block.reserve(static_cast<std::size_t>(to - from) * 2);
            for (std::int64_t s = from; s < to; ++s) {
                PutU16(block, static_cast<std::uint16_t>(pcm[static_cast<std::size_t>(s)]));
            }
            media.audio.push_back(std::move(block));
        }
    }
    return media;
}

RiffNode AssembleRecording(const RecordingSpec& recording, const EncodedMedia& media) {
    CheckRecording(recording);
    const auto frameCount = static_cast<std::size_t>(recording.frameCount);
    if ((recording.withVideo && media.frames.size() != frameCount) ||
        (recording.withAudio && media.audio.size() != frameCount)) {
        throw std::invalid_argument("encoded media does not match the recording");
    }

    std::uint32_t largestFrame = 0;
    std::uint32_t largestAudio = 0;
    std::uint64_t mediaBytes = 0;
    for (std::size_t i = 0; i < frameCount; ++i) {
        if (recording.withVideo) {
            largestFrame =
                std::max(largestFrame, static_cast<std::uint32_t>(media.frames[i].size()));
            mediaBytes += media.frames[i].size();
        }
        if (recording.withAudio) {
            largestAudio =
                std::max(largestAudio, static_cast<std::uint32_t>(media.audio[i].size()));
            mediaBytes += media.audio[i].size();
        }
    }

    std::vector<RiffNode> hdrl;
    const std::uint32_t streams = (recording.withVideo ? 1 : 0) + (recording.withAudio ? 1 : 0);
    hdrl.push_back(RiffNode::Chunk(
        "avih", Avih(recording, streams, std::max(largestFrame, largestAudio), mediaBytes)));
    if (recording.withVideo) {
        std::vector<std::uint8_t> format;
        PutU32(format, 40);
        PutU32(format, static_cast<std::uint32_t>(recording.width));
        PutU32(format, static_cast<std::uint32_t>(recording.height));
        PutU16(format, 1);   // planes
        PutU16(format, 24);  // bits per pixel once decoded
        PutFourCc(format, "MJPG");
        PutU32(format, static_cast<std::uint32_t>(recording.width * recording.height * 3));
        format.resize(40, 0);
        hdrl.push_back(RiffNode::List(
            "LIST", "strl",
            {RiffNode::Chunk("strh", Strh("vids", FourCcValue("MJPG"), 1,
                                          static_cast<std::uint32_t>(recording.framesPerSecond),
                                          static_cast<std::uint32_t>(recording.frameCount),
                                          largestFrame, 0, recording.width, recording.height)),
             RiffNode::Chunk("strf", std::move(format))}));
    }
    if (recording.withAudio) {
        const auto rate = static_cast<std::uint32_t>(recording.audioSampleRate);
        std::vector<std::uint8_t> format;
        PutU16(format, 1);  // PCM
        PutU16(format, 1);  // mono
        PutU32(format, rate);
        PutU32(format, rate * 2);
        PutU16(format, 2);  // block align
        PutU16(format, 16);
        const auto samples =
            static_cast<std::uint32_t>(AudioSamplesBefore(recording.frameCount, recording));
        hdrl.push_back(RiffNode::List(
            "LIST", "strl",
            {RiffNode::Chunk("strh", Strh("auds", 0, 1, rate, samples, largestAudio, 2, 0, 0)),
             RiffNode::Chunk("strf", std::move(format))}));
    }
    if (recording.iditText) {
        std::vector<std::uint8_t> text(recording.iditText->begin(), recording.iditText->end());
        text.push_back(0);
        if (text.size() % 2 != 0) {
            text.push_back(0);
        }
        hdrl.push_back(RiffNode::Chunk("IDIT", std::move(text)));
    }

    // Stream numbers in chunk names follow the order of the strl lists.
    const std::string videoId = "00dc";
    const std::string audioId = recording.withVideo ? "01wb" : "00wb";
    std::vector<RiffNode> movi;
    movi.reserve(frameCount * streams);
    std::vector<std::uint8_t> index;
    index.reserve(frameCount * streams * 16);
    std::uint32_t offset = 4;  // from the 'movi' list type
    const auto add = [&](const std::string& id, const std::vector<std::uint8_t>& payload) {
        movi.push_back(RiffNode::Chunk(id, payload));
        PutFourCc(index, id);
        PutU32(index, kAviifKeyframe);
        PutU32(index, offset);
        PutU32(index, static_cast<std::uint32_t>(payload.size()));
        offset += 8 + static_cast<std::uint32_t>(payload.size());
    };
    for (std::size_t i = 0; i < frameCount; ++i) {
        if (recording.withVideo) {
            add(videoId, media.frames[i]);
        }
        if (recording.withAudio) {
            add(audioId, media.audio[i]);
        }
    }

    std::vector<RiffNode> top;
    top.push_back(RiffNode::List("LIST", "hdrl", std::move(hdrl)));
    top.push_back(RiffNode::List("LIST", "movi", std::move(movi)));
    top.push_back(RiffNode::Chunk("idx1", std::move(index)));
    const auto word = [](std::uint32_t value) {
        std::vector<std::uint8_t> p;
        PutU32(p, value);
        return p;
    };
    if (recording.gpsRateWord) {
        top.push_back(RiffNode::Chunk("gpsa", word(*recording.gpsRateWord)));
    }
    if (recording.gsensorRateWord) {
        top.push_back(RiffNode::Chunk("gsea", word(*recording.gsensorRateWord)));
    }
    if (!recording.gps.empty()) {
        std::vector<std::uint8_t> records;
        records.reserve(recording.gps.size() * 32);
        for (const GpsFix& fix : recording.gps) {
            const std::vector<std::uint8_t> bytes = fix.Encode();
            records.insert(records.end(), bytes.begin(), bytes.end());
        }
        top.push_back(RiffNode::Chunk("gps0", std::move(records)));
    }
    if (!recording.gsensor.empty()) {
        std::vector<std::uint8_t> samples;
        samples.reserve(recording.gsensor.size() * 3);
        for (const GSample& g : recording.gsensor) {
            samples.push_back(static_cast<std::uint8_t>(g.x));
            samples.push_back(static_cast<std::uint8_t>(g.y));
            samples.push_back(static_cast<std::uint8_t>(g.z));
        }
        top.push_back(RiffNode::Chunk("gsen", std::move(samples)));
    }
    return RiffNode::List("RIFF", "AVI ", std::move(top));
}

}  // namespace detail

RiffNode BuildRecording(const RecordingSpec& recording) {
    return detail::AssembleRecording(recording, detail::EncodeMedia(recording));
}

}  // namespace tavrel::samplegen
