#pragma once

#include <cstdint>
#include <filesystem>

#include "recordinginfo.h"
#include "windowedfile.h"

namespace tavrel {

// Examines one recording file of the camera: walks its RIFF chunks from front
// to back with one position, notes where the telemetry lies and decides
// whether the file can be played. Not a general RIFF parser: identifiers it
// does not handle are stepped over four bytes at a time.
class AviRecordingReader {
public:
    // 0 when the file is usable (and `out`, when given, receives its facts);
    // -1 otherwise, with `out` untouched. Never throws.
    int ReadRecording(const std::filesystem::path& path, RecordingInfo* out);

private:
    void Walk();
    void WalkStep();
    void ReadGpsChunk();
    void ReadIditChunk();
    void ReadMainHeader();
    void ReadStreamHeader();
    void ReadList();

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
};

}  // namespace tavrel
