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

namespace {

// Points are gathered into writes of this size rather than one call each.
constexpr std::size_t kWriteChunk = 64 * 1024;

}  // namespace

bool KmlTrackWriter::Create(const std::string& path) {
    m_pending.clear();
    m_open = m_file.Open(path);
    return m_open;
}

void KmlTrackWriter::Write(const std::string& text) {
    if (!m_open) {
        return;
    }
    m_pending += text;
    if (m_pending.size() >= kWriteChunk) {
        m_file.Write(m_pending);
        m_pending.clear();
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
    if (!m_open) {
        return false;
    }
    Write(
        "\n"
        "        </coordinates>\n"
        "      </LineString>\n"
        "    </Placemark>\n"
        "  </Document>\n"
        "</kml>\n");
    m_file.Write(m_pending);
    m_pending.clear();
    m_open = false;
    return m_file.Commit();
}

}  // namespace tavrel
