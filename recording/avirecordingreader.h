#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "recordinginfo.h"
#include "windowedfile.h"

namespace tavrel {

// Examines one recording file of the camera: walks its RIFF chunks from front
// to back with one position, notes where the telemetry lies and decides
// whether the file can be played. Not a general RIFF parser: identifiers it
// does not handle are stepped over four bytes at a time, and a long run of
// them ends the walk.
class AviRecordingReader {
public:
    // 0 when the file is usable (and `out`, when given, receives its facts);
    // -1 otherwise, with `out` untouched. Never throws.
    int ReadRecording(const std::filesystem::path& path, RecordingInfo* out);

    // The run of words naming no handled identifier after which the walk
    // ends. The camera writes its chunks back to back; what the walk steps
    // over word by word is the odd header word and the payload of a small
    // chunk it does not handle, a few kilobytes at most. A mebibyte of such
    // words is space the camera reserved and never filled (the zero tail of
    // a recording cut by a power loss) and holds nothing to find.
    static constexpr std::uint64_t kLongestUnknownRun = 1024 * 1024;

private:
    // What the walk does with each identifier it handles.
    struct Handler {
        std::uint32_t id;
        void (AviRecordingReader::*read)(std::uint32_t id);
    };
    static const std::array<Handler, 11> kHandlers;
    static const Handler* HandlerOf(std::uint32_t id);

    void Walk();
    void WalkStep();
    void StepOverUnknownWords(std::uint64_t runStart);
    void ReadGpsChunk(std::uint32_t id);
    void ReadGSensorChunk(std::uint32_t id);
    void ReadRateChunk(std::uint32_t id);
    void ReadIditChunk(std::uint32_t id);
    void SkipChunk(std::uint32_t id);
    void ReadMainHeader(std::uint32_t id);
    void ReadStreamHeader(std::uint32_t id);
    void ReadList(std::uint32_t id);

    std::uint32_t ReadWord();
    std::uint32_t ReadWordAt(std::uint64_t position);
    // Reads `count` bytes (at most `capacity`) at the position into a zeroed
    // buffer and moves the position past them.
    void ReadBlock(std::uint8_t* buffer, std::size_t capacity, std::uint32_t count);

    WindowedFile m_file;
    std::uint64_t m_position = 0;
    RecordingInfo m_info;
    bool m_timeKnown = false;
    bool m_moviOverrun = false;
    bool m_walkEnded = false;
};

}  // namespace tavrel
