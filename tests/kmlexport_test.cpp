#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "documentsfolder.h"
#include "fakeviews.h"
#include "kmlexport.h"
#include "kmltrackwriter.h"
#include "recordingcatalog.h"
#include "recordingfileoperations.h"
#include "testsupport.h"
#include "trackplotter.h"

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

    KmlExportResult ExportFirst() {
        EXPECT_EQ(m_catalog.FillFromFolder(m_root.string()), 1);
        EXPECT_TRUE(m_catalog.LoadTelemetry(0));
        return ExportKml(m_catalog, m_out);
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
    // Readable as any new file of the user's is, though written under another
    // name first.
    const mode_t umask = ::umask(0);
    ::umask(umask);
    EXPECT_EQ(static_cast<mode_t>(fs::status(result.path).permissions()), 0666 & ~umask);
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
    EXPECT_FALSE(ExportKml(m_catalog, m_out).ok);
    EXPECT_TRUE(fs::is_empty(m_out));

    ASSERT_TRUE(m_catalog.LoadTelemetry(0));
    const auto result = ExportKml(m_catalog, m_out + "missing/");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.path, m_out + "missing/FILE0001_2012_05_01_10-20-30.KML");
}

TEST_F(KmlExport, WrittenOnlyForTheRecordingWhoseTrackIsLoaded) {
    GpsFix fix;
    fix.latitudeRaw = 2503.5;
    fix.longitudeRaw = 12130.25;
    Record("FILE0001.AVI", {fix});
    Record("FILE0002.AVI", {});
    ASSERT_EQ(m_catalog.FillFromFolder(m_root.string()), 1);
    ASSERT_TRUE(m_catalog.LoadTelemetry(0));
    ASSERT_TRUE(m_catalog.SelectRecording(1));  // current, but its track not loaded
    EXPECT_FALSE(ExportKml(m_catalog, m_out).ok);
    EXPECT_TRUE(fs::is_empty(m_out));
}

// Writes beyond `bytes` fail with EFBIG while it lives: a full card without
// needing a file system to fill.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

TEST(KmlTrackWriter, AFailedWriteLeavesTheEarlierFileAsItWas) {
    const fs::path folder = test::FreshFolder("kml-full");
    const fs::path path = folder / "FILE0001_2012_05_01_10-20-30.KML";
    // A few points stay in the writer's buffer until the close; many fill it
    // and fail on the way.
    for (const int points : {1, 100000}) {
        samplegen::WriteFile(path, {'o', 'l', 'd'});
        KmlTrackWriter writer;
        ASSERT_TRUE(writer.Create(path.string()));
        {
            const FileSizeLimit full(256);
            writer.WriteHeader("FILE0001.AVI", "", "\"/FILE0001.AVI\"");
            for (int i = 0; i < points; ++i) {
                writer.WritePoint(25.058333, 121.504167, 35);
            }
            EXPECT_FALSE(writer.WriteFooterAndClose()) << points << " points";
        }
        EXPECT_EQ(ReadText(path), "old") << points << " points";
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << points << " points";
    }
}

// Three runs an hour apart, one recording each, every one at its own place.
class KmlAfterDeletion : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = test::FreshFolder("kml-runs");
        m_out = test::FreshFolder("kml-runs-out").string() + "/";
        for (int i = 0; i < 3; ++i) {
            samplegen::RecordingSpec recipe =
                test::ShortRecording(5, samplegen::WallClock{2012, 5, 1, 10, 0, 0}.Plus(3600 * i));
            recipe.gpsRateWord = 1;
            recipe.gps.resize(1);
            recipe.gps[0].latitudeRaw = 2501 + i;
            recipe.gps[0].longitudeRaw = 12130.25;
            recipe.gps[0].status = 1;
            test::WriteRecording(m_root / ("FILE000" + std::to_string(i + 1) + ".AVI"),
                                 samplegen::BuildRecording(recipe));
        }
        m_catalog.InitCatalog(&m_groups, nullptr, nullptr);
        ASSERT_EQ(m_catalog.FillFromFolder(m_root.string()), 1);
        ASSERT_EQ(m_catalog.Groups().size(), 3u);
    }

    fs::path m_root;
    std::string m_out;
    test::CallLog m_log;
    test::FakeGroupList m_groups{&m_log};
    RecordingCatalog m_catalog;
    TrackPlotter m_tracks{m_catalog};
    RecordingFileOperations m_operations{m_catalog, m_tracks};
};

TEST_F(KmlAfterDeletion, DeletedRecordingIsNotExported) {
    ASSERT_EQ(m_tracks.LoadRecordingTelemetry(0), 1);
    m_groups.checked = {0};
    ASSERT_TRUE(m_operations.DeleteChecked());
    EXPECT_EQ(m_catalog.CurrentFile(), -1);
    EXPECT_FALSE(m_catalog.Telemetry().IsLoaded());
    EXPECT_FALSE(ExportKml(m_catalog, m_out).ok);
    EXPECT_TRUE(fs::is_empty(m_out));
}

TEST_F(KmlAfterDeletion, RecordingThatStaysKeepsItsNameAndTrack) {
    ASSERT_EQ(m_tracks.LoadRecordingTelemetry(1), 1);
    m_groups.checked = {0};
    ASSERT_TRUE(m_operations.DeleteChecked());
    EXPECT_EQ(m_catalog.CurrentFile(), 0);
    EXPECT_EQ(m_catalog.CurrentGroup(), 0);
    const auto result = ExportKml(m_catalog, m_out);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.path, m_out + "FILE0002_2012_05_01_11-00-00.KML");
    const std::string kml = ReadText(result.path);
    EXPECT_NE(kml.find("<name>FILE0002.AVI</name>"), std::string::npos);
    EXPECT_NE(kml.find("<coordinates>\n121.504167,25.033333,0\n\n"), std::string::npos);
}

TEST_F(KmlAfterDeletion, RefilledCatalogHoldsNoTrack) {
    ASSERT_EQ(m_tracks.LoadRecordingTelemetry(0), 1);
    ASSERT_EQ(m_catalog.FillFromFolder(m_root.string()), 1);
    EXPECT_FALSE(m_catalog.Telemetry().IsLoaded());
    EXPECT_TRUE(m_catalog.Telemetry().GpsData().empty());
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
