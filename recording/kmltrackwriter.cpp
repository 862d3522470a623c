#include "kmltrackwriter.h"

#include "decimaltext.h"

namespace tavrel {

std::string EscapeXmlText(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

KmlTrackWriter::~KmlTrackWriter() {
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

bool KmlTrackWriter::Create(const std::string& path) {
    m_file = std::fopen(path.c_str(), "wb");
    return m_file != nullptr;
}

void KmlTrackWriter::Write(const std::string& text) {
    if (m_file != nullptr) {
        std::fwrite(text.data(), 1, text.size(), m_file);
    }
}

void KmlTrackWriter::WriteHeader(const std::string& title, const std::string& description,
                                 const std::string& pathText) {
    Write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
        "  <Document>\n"
        "    <name>" +
        EscapeXmlText(title) +
        "</name>\n"
        "\t<description>" +
        EscapeXmlText(description) +
        "</description>\n"
        "    <Style id=\"blueLine\">\n"
        "      <LineStyle>\n"
        "        <color>ffff0000</color>\n"
        "        <width>4</width>\n"
        "      </LineStyle>\n"
        "    </Style>\n"
        "    <Placemark>\n"
        "      <name>CAR PATH</name>\n"
        "      <description>GPS Path of Car DV " +
        EscapeXmlText(pathText) +
        "</description>\n"
        "      <styleUrl>#blueLine</styleUrl>\n"
        "      <LineString>\n"
        "        <altitudeMode>relative</altitudeMode>\n"
        "        <coordinates>\n");
}

void KmlTrackWriter::WritePoint(double latitude, double longitude, std::int32_t altitude) {
    Write(FormatFixed6(longitude) + "," + FormatFixed6(latitude) + "," + std::to_string(altitude) +
          "\n");
}

bool KmlTrackWriter::WriteFooterAndClose() {
    if (m_file == nullptr) {
        return false;
    }
    Write(
        "\n"
        "        </coordinates>\n"
        "      </LineString>\n"
        "    </Placemark>\n"
        "  </Document>\n"
        "</kml>\n");
    const bool written = std::ferror(m_file) == 0;
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    return written && closed;
}

}  // namespace tavrel
