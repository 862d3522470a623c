#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tavrel {

// Writes one GPS track as a KML 2.2 file in three stages: header, points,
// footer. Lines end with a line feed; numbers use a full stop whatever the
// user's locale.
class KmlTrackWriter {
public:
    KmlTrackWriter() = default;
    ~KmlTrackWriter();
    KmlTrackWriter(const KmlTrackWriter&) = delete;
    KmlTrackWriter& operator=(const KmlTrackWriter&) = delete;

    // Creates or truncates the file; false when it cannot be created.
    bool Create(const std::string& path);
    // The three texts are escaped for XML element text: a file name may hold
    // "&" or "<".
    void WriteHeader(const std::string& title, const std::string& description,
                     const std::string& pathText);
    // One point, longitude first, in decimal degrees.
    void WritePoint(double latitude, double longitude, std::int32_t altitude);
    // False when any write since Create failed (a full card, say): such a
    // file is not reported as saved.
    bool WriteFooterAndClose();

private:
    void Write(const std::string& text);

    std::FILE* m_file = nullptr;
};

// Escapes the characters that cannot stand in XML element text; quotes can,
// and stay as they are so that ordinary texts come out unchanged.
std::string EscapeXmlText(const std::string& text);

}  // namespace tavrel
