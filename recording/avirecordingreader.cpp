#include "avirecordingreader.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>

#include "byteorder.h"
#include "calendartime.h"
#include "telemetry.h"
#include "telemetryfile.h"

namespace tavrel {

namespace {

// Raised inside the walk for a date the viewer cannot represent; like a file
// error, it ends the walk and makes the file unusable.
struct UnrepresentableTime {};

constexpr std::size_t kMainHeaderBytes = 56;
constexpr std::size_t kStreamHeaderBytes = 64;
constexpr std::size_t kBitmapHeaderBytes = 40;
// The date text buffer holds 63 characters and a terminating zero. A longer
// payload is cut to its first 63 bytes: the date stands at the start of the
// text, so a camera that pads the chunk still gets its start time.
constexpr std::size_t kIditBufferBytes = 64;

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

}  // namespace

int AviRecordingReader::ReadRecording(const std::filesystem::path& path, RecordingInfo* out) {
    m_position = 0;
    m_info = RecordingInfo{};
    m_timeKnown = false;
    m_moviOverrun = false;
    m_walkEnded = false;
    try {
        if (!m_file.Open(path)) {
            return -1;
        }
        if (ReadWordAt(0) != FourCC("RIFF")) {
            m_file.Close();
            return -1;
        }
        m_position = 8;  // past the RIFF size, which the walk does not need
        m_info.fileSize = m_file.Length();
        Walk();
        m_file.Close();
    } catch (...) {
        // File errors, unrepresentable dates and anything else raised in the
        // walk make the file unusable; nothing leaves the reader.
        m_file.Close();
        return -1;
    }
    if (!m_timeKnown) {
        m_info.startTime = 0;
    }
    const bool usable =
        m_info.videoWidth != 0 && m_info.videoHeight != 0 && m_info.lengthMs != 0 && !m_moviOverrun;
    if (!usable) {
        return -1;
    }
    if (out != nullptr) {
        *out = m_info;
    }
    return 0;
}

const std::array<AviRecordingReader::Handler, 11> AviRecordingReader::kHandlers = {{
    {FourCC("gps0"), &AviRecordingReader::ReadGpsChunk},
    {FourCC("gsen"), &AviRecordingReader::ReadGSensorChunk},
    {FourCC("gpsa"), &AviRecordingReader::ReadRateChunk},
    {FourCC("gsea"), &AviRecordingReader::ReadRateChunk},
    {FourCC("IDIT"), &AviRecordingReader::ReadIditChunk},
    {FourCC("idx1"), &AviRecordingReader::SkipChunk},
    {FourCC("JUNK"), &AviRecordingReader::SkipChunk},
    {FourCC("indx"), &AviRecordingReader::SkipChunk},
    {FourCC("avih"), &AviRecordingReader::ReadMainHeader},
    {FourCC("strh"), &AviRecordingReader::ReadStreamHeader},
    {FourCC("LIST"), &AviRecordingReader::ReadList},
}};

const AviRecordingReader::Handler* AviRecordingReader::HandlerOf(std::uint32_t id) {
    const auto found = std::find_if(kHandlers.begin(), kHandlers.end(),
                                    [id](const Handler& handler) { return handler.id == id; });
    return found != kHandlers.end() ? &*found : nullptr;
}

void AviRecordingReader::Walk() {
    // Every step moves the position on by at least four bytes and positions
    // are 64-bit, so a 32-bit size can neither wrap it nor send it back: the
    // walk always ends.
    do {
        WalkStep();
    } while (m_position < m_info.fileSize && !m_walkEnded);
}

void AviRecordingReader::WalkStep() {
    const std::uint32_t id = ReadWord();
    if (const Handler* handler = HandlerOf(id)) {
        (this->*handler->read)(id);
    } else {
        // Unknown identifiers, the form type "AVI " and a lone strf.
        StepOverUnknownWords(m_position - 4);
    }
}

void AviRecordingReader::StepOverUnknownWords(std::uint64_t runStart) {
    // Stops on the next handled identifier on the same four-byte grid, where
    // stepping one word at a time would have stopped, searching a window at
    // a time. A word cut by the end of the file reads with zero bytes and
    // names nothing.
    const std::uint64_t runEnd = std::min(runStart + kLongestUnknownRun, m_info.fileSize);
    while (m_position + 4 <= runEnd) {
        const std::span<const std::uint8_t> view = m_file.View(m_position, 4);
        const std::uint64_t words = std::min<std::uint64_t>(view.size(), runEnd - m_position) / 4;
        if (words == 0) {
            break;  // the file shrank since it was opened: the rest reads as zeros
        }
        for (std::uint64_t i = 0; i < words; ++i) {
            if (HandlerOf(ReadLe32(view.data() + 4 * i)) != nullptr) {
                m_position += 4 * i;
                return;
            }
        }
        m_position += 4 * words;
    }
    // Nothing handled before the end of the file or of the longest run.
    m_walkEnded = true;
}

void AviRecordingReader::ReadGSensorChunk(std::uint32_t) {
    const std::uint32_t size = ReadWord();
    m_info.gsensorOffset = m_position;
    m_info.gsensorSize = size;
    m_position += GSensorSample::kSize * (size / GSensorSample::kSize);
}

void AviRecordingReader::ReadRateChunk(std::uint32_t id) {
    const std::uint32_t size = ReadWord();
    const std::uint64_t payloadEnd = m_position + size;
    const std::uint32_t word = ReadWordAt(m_position);
    (id == FourCC("gpsa") ? m_info.gpsRateWord : m_info.gsensorRateWord) = word;
    m_position = payloadEnd;
}

void AviRecordingReader::SkipChunk(std::uint32_t) {
    const std::uint32_t size = ReadWord();
    m_position += size;
}

void AviRecordingReader::ReadGpsChunk(std::uint32_t) {
    const std::uint32_t size = ReadWord();
    m_info.gpsOffset = m_position;
    m_info.gpsSize = size;
    const std::uint64_t recordCount = size / GpsRecord::kSize;
    // A gps0 met before any gpsa, or a rate byte of 0, leaves no divisor;
    // count it as one record a second, as telemetry loading does.
    const int recordsPerSecond = GpsRecordsPerSecond(m_info.gpsRateWord);
    // Only records inside the file can carry a date; a declared size past the
    // end stops the examination there, the position still moves by the size.
    // The search also stops where telemetry loading does: no camera writes
    // more records than that, and a claim of gigabytes of undated records
    // is not read through.
    const std::uint64_t searchedCount =
        std::min<std::uint64_t>(recordCount, kMaxTelemetryPayloadBytes / GpsRecord::kSize);
    for (std::uint64_t i = 0; i < searchedCount && !m_timeKnown; ++i) {
        const std::uint64_t recordPosition = m_info.gpsOffset + i * GpsRecord::kSize;
        if (recordPosition + GpsRecord::kSize > m_info.fileSize) {
            break;
        }
        std::array<std::uint8_t, GpsRecord::kSize> bytes{};
        m_file.ReadAt(recordPosition, bytes.data(), bytes.size());
        const GpsRecord record = GpsRecord::Decode(bytes.data());
        if (record.yearOffset == 0) {
            continue;
        }
        if (!InRange(record.month, 1, 12) || !InRange(record.day, 1, 31) || record.hour > 23 ||
            record.minute > 59 || record.second > 59) {
            continue;
        }
        const auto time = LocalCalendarTime({2000 + record.yearOffset, record.month, record.day,
                                             record.hour, record.minute, record.second});
        if (!time) {
            throw UnrepresentableTime{};
        }
        m_info.startTime = *time - static_cast<std::int64_t>(i / recordsPerSecond);
        m_timeKnown = true;
    }
    m_position = m_info.gpsOffset + GpsRecord::kSize * recordCount;
}

void AviRecordingReader::ReadIditChunk(std::uint32_t) {
    m_timeKnown = true;
    const std::uint32_t size = ReadWord();
    const std::uint64_t payloadEnd = m_position + size;
    std::array<std::uint8_t, kIditBufferBytes> text{};
    ReadBlock(text.data(), text.size() - 1, size);

    CalendarFields fields;
    std::sscanf(reinterpret_cast<const char*>(text.data()), "%04d-%02d-%02d %02d:%02d:%02d",
                &fields.year, &fields.month, &fields.day, &fields.hour, &fields.minute,
                &fields.second);
    if (fields.year >= 1900 && InRange(fields.month, 1, 12) && InRange(fields.day, 1, 31) &&
        InRange(fields.hour, 0, 23) && InRange(fields.minute, 0, 59) &&
        InRange(fields.second, 0, 59)) {
        const auto time = LocalCalendarTime(fields);
        if (!time) {
            throw UnrepresentableTime{};
        }
        m_info.startTime = *time;
    } else {
        m_timeKnown = false;
    }
    m_position = payloadEnd;
}

void AviRecordingReader::ReadMainHeader(std::uint32_t) {
    const std::uint32_t size = ReadWord();
    std::array<std::uint8_t, kMainHeaderBytes> header{};
    ReadBlock(header.data(), header.size(), size);
    // Multiplied in 32 bits as the camera's players do: the product wraps
    // above 4,294,967,295 microseconds (about 71.6 minutes).
    const std::uint32_t microsecondsPerFrame = ReadLe32(header.data());
    const std::uint32_t totalFrames = ReadLe32(header.data() + 16);
    const std::uint32_t lengthUs = totalFrames * microsecondsPerFrame;
    m_info.lengthMs = lengthUs / 1000;
    m_info.lengthSeconds = m_info.lengthMs / 1000;
}

void AviRecordingReader::ReadStreamHeader(std::uint32_t) {
    const std::uint32_t size = ReadWord();
    std::array<std::uint8_t, kStreamHeaderBytes> header{};
    ReadBlock(header.data(), header.size(), size);
    const std::uint32_t streamType = ReadLe32(header.data());
    if (streamType == FourCC("vids")) {
        if (ReadWord() == FourCC("strf")) {
            const std::uint32_t formatSize = ReadWord();
            std::array<std::uint8_t, kBitmapHeaderBytes> format{};
            ReadBlock(format.data(), format.size(), formatSize);
            m_info.videoWidth = static_cast<std::uint16_t>(ReadLe32(format.data() + 4));
            m_info.videoHeight = static_cast<std::uint16_t>(ReadLe32(format.data() + 8));
        }
    } else if (streamType == FourCC("auds")) {
        if (ReadWord() == FourCC("strf")) {
            const std::uint32_t formatSize = ReadWord();
            m_position += formatSize;
        }
    }
}

void AviRecordingReader::ReadList(std::uint32_t) {
    const std::uint32_t size = ReadWord();
    const std::uint64_t listEnd = m_position + size;
    const std::uint32_t listType = ReadWord();
    if (listType == FourCC("movi")) {
        m_position = listEnd;
        if (listEnd > m_info.fileSize) {
            m_moviOverrun = true;
        }
    } else if (listType == FourCC("hdrl") || listType == FourCC("strl") ||
               listType == FourCC("avih")) {
        // The walk goes on inside these lists.
    } else {
        m_position = listEnd;
    }
}

std::uint32_t AviRecordingReader::ReadWord() {
    const std::uint32_t word = ReadWordAt(m_position);
    m_position += 4;
    return word;
}

std::uint32_t AviRecordingReader::ReadWordAt(std::uint64_t position) {
    // Bytes past the end of the file read as zero.
    std::array<std::uint8_t, 4> bytes{};
    m_file.ReadAt(position, bytes.data(), bytes.size());
    return ReadLe32(bytes.data());
}

void AviRecordingReader::ReadBlock(std::uint8_t* buffer, std::size_t capacity,
                                   std::uint32_t count) {
    const std::size_t wanted = std::min<std::size_t>(capacity, count);
    m_file.ReadAt(m_position, buffer, wanted);
    m_position += wanted;
}

}  // namespace tavrel
