#pragma once

#include <cstdint>
#include <string>

#include "replacingfile.h"

namespace tavrel {

// Writes one GPS track as a KML 2.2 file in three stages: header, points,
// footer. Lines end with a line feed; numbers use a full stop whatever the
// user's locale. The file takes its name only when complete: until then an
// earlier file of that name stays as it was.
class KmlTrackWriter {
public:
    KmlTrackWriter() = default;
    KmlTrackWriter(const KmlTrackWriter&) = delete;
    KmlTrackWriter& operator=(const KmlTrackWriter&) = delete;

    // Starts the file; false when it cannot be created.
    bool Create(const std::string& path);
    // The three texts are escaped for XML element text: a file name may hold
    // "&" or "<".
    void WriteHeader(const std::string& title, const std::string& description,
                     const std::string& pathText);
    // One point, longitude first, in decimal degrees.
    void WritePoint(double latitude, double longitude, std::int32_t altitude);
    // False when any write since Create failed (a full card, say): such a
    // file is neither reported as saved nor put in place.
    bool WriteFooterAndClose();

private:
    void Write(const std::string& text);

    ReplacingFile m_file;
    bool m_open = false;
    std::string m_pending;
};

// Escapes the characters that cannot stand in XML element text; quotes can,
// and stay as they are so that ordinary texts come out unchanged.
std::string EscapeXmlText(const std::string& text);

}  // namespace tavrel
