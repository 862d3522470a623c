#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "documentsfolder.h"
#include "recordingcatalog.h"
#include "testsupport.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using samplegen::GpsFix;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Header(const std::string& title, const std::string& pathText) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"
           "  <Document>\n"
           "    <name>" +
           title +
           "</name>\n"
           "\t<description></description>\n"
           "    <Style id=\"blueLine\">\n"
           "      <LineStyle>\n"
           "        <color>ffff0000</color>\n"
           "        <width>4</width>\n"
           "      </LineStyle>\n"
           "    </Style>\n"
           "    <Placemark>\n"
           "      <name>CAR PATH</name>\n"
           "      <description>GPS Path of Car DV " +
           pathText +
           "</description>\n"
           "      <styleUrl>#blueLine</styleUrl>\n"
           "      <LineString>\n"
           "        <altitudeMode>relative</altitudeMode>\n"
           "        <coordinates>\n";
}

const std::string kFooter =
    "\n"
    "        </coordinates>\n"
    "      </LineString>\n"
    "    </Placemark>\n"
    "  </Document>\n"
    "</kml>\n";

class KmlExport : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = test::FreshFolder("kml-card");
        m_out = test::FreshFolder("kml-out").string() + "/";
    }

    void Record(const fs::path& relativePath, std::vector<GpsFix> fixes) {
        samplegen::RecordingSpec recipe = test::ShortRecording(5, {2012, 5, 1, 10, 20, 30});
        recipe.gpsRateWord = 1;
        recipe.gps = std::move(fixes);
        test::WriteRecording(m_root / relativePath, samplegen::BuildRecording(recipe));
    }

    RecordingCatalog::KmlExportResult ExportFirst() {
        EXPECT_EQ(m_catalog.FillFromFolder(m_root.string()), 1);
        EXPECT_EQ(m_catalog.LoadRecordingTelemetry(0), 1);
        return m_catalog.ExportKml(m_out);
    }

    fs::path m_root;
    std::string m_out;
    RecordingCatalog m_catalog;
};

TEST_F(KmlExport, WritesTheUsableFixesOfARecordingInASubfolder) {
    GpsFix fix;
    fix.latitudeRaw = 2503.5;
    fix.longitudeRaw = 12130.25;
    fix.altitude = 35;
    GpsFix noFix = fix;
    noFix.status = 0;
    GpsFix outOfRange = fix;
    outOfRange.longitudeRaw = 19990;  // 199.9 before conversion, 200.5 after
    Record("MOVIE/FILE0001.AVI", {fix, noFix, outOfRange});

    const auto result = ExportFirst();
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.path, m_out + "FILE0001_2012_05_01_10-20-30.KML");
    EXPECT_EQ(ReadText(result.path),
              Header("FILE0001.AVI", "\"MOVIE//FILE0001.AVI\" 2012/05/01 10:20:30") +
                  "121.504167,25.058333,35\n" + kFooter);
}

TEST_F(KmlExport, RecordingAtTheTopWithoutFixesGivesAnEmptyTrack) {
    Record("FILE0001.AVI", {});
    // An earlier export of the same name is overwritten without asking.
    samplegen::WriteFile(m_out + "FILE0001_2012_05_01_10-20-30.KML", {'o', 'l', 'd'});
    const auto result = ExportFirst();
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(ReadText(result.path),
              Header("FILE0001.AVI", "\"/FILE0001.AVI\" 2012/05/01 10:20:30") + kFooter);
}

TEST_F(KmlExport, HeaderTextsAreEscaped) {
    Record("R&D/FILE0001<1>.MOV", {});
    const auto result = ExportFirst();
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.path, m_out + "FILE0001<1>_2012_05_01_10-20-30.KML");
    EXPECT_EQ(
        ReadText(result.path),
        Header("FILE0001&lt;1&gt;.MOV", "\"R&amp;D//FILE0001&lt;1&gt;.MOV\" 2012/05/01 10:20:30") +
            kFooter);
}

TEST_F(KmlExport, FailsForAnUnwritableFolderAndWithoutACurrentRecording) {
    Record("FILE0001.AVI", {});
    EXPECT_EQ(m_catalog.FillFromFolder(m_root.string()), 1);
    // Listed, but nothing current yet: nothing is written.
    EXPECT_FALSE(m_catalog.ExportKml(m_out).ok);
    EXPECT_TRUE(fs::is_empty(m_out));

    ASSERT_EQ(m_catalog.LoadRecordingTelemetry(0), 1);
    const auto result = m_catalog.ExportKml(m_out + "missing/");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.path, m_out + "missing/FILE0001_2012_05_01_10-20-30.KML");
}

TEST(GpsLogFolder, FollowsTheDesktopDocumentsFolder) {
    const fs::path home = test::FreshFolder("home");
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    EXPECT_EQ(GetGpsLogFolder(), home.string() + "/Documents/GPSLOG/");
    EXPECT_TRUE(fs::is_directory(home / "Documents" / "GPSLOG"));

    fs::create_directories(home / "config");
    std::ofstream(home / "config" / "user-dirs.dirs")
        << "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    EXPECT_EQ(GetGpsLogFolder(), home.string() + "/Dokumente/GPSLOG/");

    ::unsetenv("HOME");
    EXPECT_EQ(GetGpsLogFolder(), "");
}

}  // namespace
}  // namespace tavrel
