#include "recordingcatalog.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "directorypath.h"
#include "fakeviews.h"
#include "readcounter.h"
#include "testsupport.h"
#include "windowedfile.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using samplegen::WallClock;

class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_catalog.InitCatalog(&m_groups, &m_files, &m_owner);
        m_catalog.BindVideoSurface(&m_owner);
    }

    // A valid recording of `seconds` seconds starting at `start`.
    static void Record(const fs::path& path, int seconds, const WallClock& start,
                       bool withGps = false) {
        samplegen::RecordingSpec recipe = test::ShortRecording(seconds, start);
        if (withGps) {
            recipe.gpsRateWord = 1;
            recipe.gps.resize(2);
        }
        test::WriteRecording(path, samplegen::BuildRecording(recipe));
    }

    std::vector<std::string> ListedNames() const {
        std::vector<std::string> names;
        for (const RecordingEntry& entry : m_catalog.Files()) {
            names.push_back(entry.relativeFolder + entry.name);
        }
        return names;
    }

    test::CallLog m_log;
    RecordingCatalog m_catalog;
    test::FakeGroupList m_groups{&m_log};
    test::FakeFileList m_files{&m_log};
    test::FakeOwner m_owner{&m_log};
};

TEST(RecordingName, FollowsTheCameraNamingRules) {
    const fs::path folder = test::FreshFolder("names");
    struct Case {
        const char* name;
        bool accepted;
    };
    for (const Case c : {
             Case{"FILE0001.AVI", true}, Case{"EVGS0001.AVI", true}, Case{"a_-z0001.AVI", true},
             Case{"FILE0001.MOV", true},   // left to the reader
             Case{"FILE00001.avi", true},  // the 8.3 rule is for ".AVI" only
             Case{"FILE0001", true}, Case{"FILE001.AVI", false}, Case{"FILE00001.AVI", false},
             Case{"FI E0001.AVI", false}, Case{"ABCDEFGH.AVI", false}, Case{"FILE000", false},
             Case{"\xC3\x84"
                  "BC0001.AVI",
                  false},  // a letter beyond ASCII
         }) {
        EXPECT_EQ(IsRecordingName(folder.string(), c.name).accepted, c.accepted) << c.name;
    }
}

TEST(RecordingName, ReadOnlyFilesCarryTheCameraLock) {
    const fs::path folder = test::FreshFolder("locks");
    for (const char* name : {"EVGS0012.AVI", "FILE0012.AVI", "FILE0013.AVI"}) {
        samplegen::WriteFile(folder / name, {0});
    }
    test::MakeReadOnly(folder / "EVGS0012.AVI");
    test::MakeReadOnly(folder / "FILE0012.AVI");
    EXPECT_EQ(IsRecordingName(folder.string(), "EVGS0012.AVI").lockFlags, LOCK_EVENT);
    EXPECT_EQ(IsRecordingName(folder.string(), "FILE0012.AVI").lockFlags, LOCK_OTHER);
    EXPECT_EQ(IsRecordingName(folder.string(), "FILE0013.AVI").lockFlags, 0u);
    // Attributes that cannot be read count as read-only.
    EXPECT_EQ(IsRecordingName(folder.string(), "FILE0014.AVI").lockFlags, LOCK_OTHER);
}

TEST_F(CatalogTest, ScansKeepsAndLeavesOutAsTheCameraMeans) {
    const fs::path root = test::FreshFolder("scan");
    const WallClock start{2012, 5, 1, 10, 0, 0};
    Record(root / "FILE0002.AVI", 60, start.Plus(60), true);
    Record(root / "MOVIE" / "FILE0001.AVI", 60, start);
    Record(root / "MOVIE" / "EVGS0003.AVI", 60, start.Plus(120));
    test::MakeReadOnly(root / "MOVIE" / "EVGS0003.AVI");
    Record(root / "FILE001.AVI", 60, start);                        // bad name
    samplegen::WriteFile(root / "FILE0009.AVI", {'x'});             // not a recording
    Record(root / ".FILE0004.AVI", 60, start);                      // hidden file
    Record(root / ".hidden" / "FILE0005.AVI", 60, start);           // inside a hidden folder
    ASSERT_EQ(::mkfifo((root / "FILE0006.AVI").c_str(), 0644), 0);  // neither file nor folder

    ASSERT_EQ(m_catalog.FillFromFolder(root.string()), 1);

    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"MOVIE/FILE0001.AVI", "FILE0002.AVI",
                                                       "MOVIE/EVGS0003.AVI"}));
    EXPECT_EQ(m_catalog.Files()[0].rootFolder, root.string() + "/");
    EXPECT_EQ(m_catalog.Files()[2].lockFlags, LOCK_EVENT);
    EXPECT_EQ(m_catalog.ScanCount(), 5);  // every visible file, accepted or not
    EXPECT_EQ(m_owner.counters, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(m_catalog.HasGps());
    EXPECT_EQ(m_log.Calls().back(), "map on");

    ASSERT_EQ(m_catalog.Groups().size(), 1u);
    const RecordingGroup& run = m_catalog.Groups()[0];
    EXPECT_EQ(run.count, 3);
    EXPECT_EQ(run.totalLengthMs, 180000u);
    EXPECT_EQ(run.lockFlags, LOCK_EVENT);

    ASSERT_EQ(m_groups.rows.size(), 1u);
    EXPECT_EQ(m_groups.rows[0].resolution, "160x120");
    EXPECT_EQ(m_groups.rows[0].startTime, test::UtcSeconds(2012, 5, 1, 10, 0, 0));
    ASSERT_EQ(m_files.rows.size(), 3u);
    EXPECT_EQ(m_files.rows[2].folder, root.string() + "/MOVIE/");
    EXPECT_EQ(m_files.rows[2].indexInGroup, 2);
    EXPECT_EQ(m_files.rows[2].lockFlags, LOCK_EVENT);
}

TEST_F(CatalogTest, GroupsConsecutiveRecordingsWithTwoSecondsEitherSide) {
    struct Case {
        int secondStartsAfter;  // seconds after the first recording started (it lasts 60)
        bool sameGroup;
    };
    for (const Case c :
         {Case{62, true}, Case{63, false}, Case{58, true}, Case{57, false}, Case{50, false}}) {
        const fs::path root = test::FreshFolder("groups");
        const WallClock start{2012, 5, 1, 10, 0, 0};
        Record(root / "FILE0001.AVI", 60, start);
        Record(root / "FILE0002.AVI", 60, start.Plus(c.secondStartsAfter));
        ASSERT_EQ(m_catalog.FillFromFolder(root.string()), 1);
        EXPECT_EQ(m_catalog.Groups().size(), c.sameGroup ? 1u : 2u) << c.secondStartsAfter;
        EXPECT_EQ(m_catalog.GroupOfRecording(1), c.sameGroup ? 0 : 1);
    }
}

TEST_F(CatalogTest, UndatedRecordingsSortFirstInGroupsOfTheirOwn) {
    const fs::path root = test::FreshFolder("undated");
    Record(root / "FILE0001.AVI", 60, WallClock{2012, 5, 1, 10, 0, 0});
    for (const char* name : {"FILE0002.AVI", "FILE0003.AVI"}) {
        samplegen::RecordingSpec recipe = test::ShortRecording(5, WallClock{});
        recipe.iditText.reset();
        test::WriteRecording(root / name, samplegen::BuildRecording(recipe));
    }
    ASSERT_EQ(m_catalog.FillFromFolder(root.string()), 1);
    ASSERT_EQ(m_catalog.Files().size(), 3u);
    EXPECT_EQ(m_catalog.Files()[0].info.startTime, 0);
    EXPECT_EQ(m_catalog.Files()[1].info.startTime, 0);
    EXPECT_EQ(m_catalog.Files()[2].name, "FILE0001.AVI");
    EXPECT_EQ(m_catalog.Groups().size(), 3u);
    EXPECT_FALSE(m_catalog.HasGps());
    EXPECT_EQ(m_log.Calls().back(), "map off");
}

TEST_F(CatalogTest, SelectionMovesTheHighlightAndRefusesBadIndexes) {
    const fs::path root = test::FreshFolder("select");
    const WallClock start{2012, 5, 1, 10, 0, 0};
    Record(root / "FILE0001.AVI", 60, start);
    Record(root / "FILE0002.AVI", 60, start.Plus(60));
    Record(root / "FILE0003.AVI", 60, start.Plus(3600));
    ASSERT_EQ(m_catalog.FillFromFolder(root.string()), 1);

    EXPECT_EQ(m_catalog.CurrentFile(), -1);
    EXPECT_EQ(m_catalog.NextRecordingIndex(), 0);
    ASSERT_TRUE(m_catalog.SelectRecording(2));
    EXPECT_EQ(m_catalog.CurrentGroup(), 1);
    EXPECT_EQ(m_groups.highlighted, std::set<int>{1});
    EXPECT_EQ(m_files.highlighted, std::set<int>{2});
    EXPECT_EQ(m_log.Calls().back(), "files show 2");
    EXPECT_EQ(m_catalog.NextRecordingIndex(), 0);  // after the last comes the first
    EXPECT_EQ(m_catalog.CurrentPath(), root.string() + "/FILE0003.AVI");

    for (const int bad : {-1, 3}) {
        EXPECT_FALSE(m_catalog.SelectRecording(bad));
        EXPECT_FALSE(m_catalog.SelectGroup(bad - 1));
        EXPECT_EQ(m_catalog.CurrentFile(), 2);
        EXPECT_EQ(m_files.highlighted, std::set<int>{2});
    }
    ASSERT_TRUE(m_catalog.SelectGroup(0));
    EXPECT_EQ(m_catalog.CurrentFile(), 0);
    EXPECT_EQ(m_groups.highlighted, std::set<int>{0});
    EXPECT_EQ(m_files.highlighted, std::set<int>{0});
    EXPECT_EQ(m_catalog.NextRecordingIndex(), 1);
    EXPECT_EQ(m_catalog.GroupOfRecording(-1), -1);
    EXPECT_EQ(m_catalog.GroupOfRecording(3), -1);

    int width = 0;
    int height = 0;
    ASSERT_TRUE(m_catalog.CurrentVideoSize(width, height));
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 120);

    m_groups.checked = {1};
    EXPECT_TRUE(m_catalog.ReadGroupChecks());
    EXPECT_EQ(m_catalog.Groups()[0].checked, 0);
    EXPECT_EQ(m_catalog.Groups()[1].checked, 1);
    m_groups.checked.clear();
    EXPECT_FALSE(m_catalog.ReadGroupChecks());
}

TEST_F(CatalogTest, MissingFolderLeavesTheCatalogEmpty) {
    EXPECT_EQ(m_catalog.FillFromFolder(test::FreshFolder("gone").string() + "/nothing"), 0);
    EXPECT_TRUE(m_catalog.Files().empty());
    EXPECT_EQ(m_log.Calls(), (std::vector<std::string>{"groups clear", "files clear"}));
    int width = 0;
    int height = 0;
    EXPECT_FALSE(m_catalog.CurrentVideoSize(width, height));
    EXPECT_EQ(m_catalog.NextRecordingIndex(), -1);
}

TEST_F(CatalogTest, WalkStopsFortyLevelsDownAndNeverFollowsFolderLinks) {
    const fs::path root = test::FreshFolder("deep");
    const WallClock start{2012, 5, 1, 10, 0, 0};
    samplegen::RecordingSpec recipe = test::ShortRecording(60, start);
    const std::vector<std::uint8_t> bytes = samplegen::BuildRecording(recipe).Serialize();
    fs::path folder = root;
    for (int level = 0; level <= 45; ++level) {
        samplegen::WriteFile(folder / "FILE0001.AVI", bytes);
        folder /= "D";
    }
    fs::create_directory_symlink("..", root / "D" / "LOOP");
    fs::create_symlink(root / "FILE0001.AVI", root / "LINK0001.AVI");

    ASSERT_EQ(m_catalog.FillFromFolder(root.string()), 1);
    // The root and 40 nested levels; the link to a file counts as a file.
    EXPECT_EQ(m_catalog.Files().size(), 42u);
    std::map<std::size_t, int> depths;
    for (const RecordingEntry& entry : m_catalog.Files()) {
        ++depths[entry.relativeFolder.size() / 2];
    }
    EXPECT_EQ(depths.rbegin()->first, 40u);
}

TEST_F(CatalogTest, ScanReadsEachRecordingInAFewWindows) {
    // Cards sit in USB readers where every read is a round trip: the walk
    // through a recording's chunks must be served from windows, not read
    // field by field.
    const fs::path root = test::FreshFolder("reads");
    constexpr int kRecordings = 2;
    for (int i = 0; i < kRecordings; ++i) {
        samplegen::DriveSpec drive;
        drive.driveStart = {2012, 5, 1, 10, 0, 0};
        drive.driveOffsetSeconds = 20 * i;
        drive.seconds = 20;
        drive.gpsRecordsPerSecond = 5;
        drive.width = 160;
        drive.height = 120;
        drive.framesPerSecond = 5;
        test::WriteRecording(root / ("FILE000" + std::to_string(i + 1) + ".AVI"),
                             samplegen::BuildRecording(samplegen::MakeDrivingRecording(drive)));
    }
    ASSERT_GT(fs::file_size(root / "FILE0001.AVI"), 4 * WindowedFile::kWindowSize);

    const test::ReadCounter counter;
    ASSERT_EQ(m_catalog.FillFromFolder(root.string()), 1);
    ASSERT_EQ(m_catalog.Files().size(), static_cast<std::size_t>(kRecordings));
    EXPECT_LE(counter.Reads(), 2 * kRecordings);
}

TEST(ResolutionName, NamesKnownSizes) {
    struct Case {
        int width;
        int height;
        const char* name;
    };
    for (const Case c : {Case{1920, 1080, "1080p HD"}, Case{1440, 1080, "1080p"},
                         Case{2048, 1600, "QXGA"}, Case{2048, 1536, "QXGA"},
                         Case{1000, 500, "1000x500"}, Case{0, 480, ""}, Case{-1, -1, ""}}) {
        EXPECT_EQ(ResolutionName(c.width, c.height), c.name) << c.width << "x" << c.height;
    }
}

TEST(MakeDirectoryPath, CreatesEveryLevelAndTellsWhetherTheLastWasNew) {
    const fs::path root = test::FreshFolder("mkdir");
    const std::string path = (root / "GPSLOG" / "2012" / "05").string();
    EXPECT_TRUE(MakeDirectoryPath(path));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_FALSE(MakeDirectoryPath(path + "/"));  // exists already
    EXPECT_FALSE(MakeDirectoryPath(""));
    samplegen::WriteFile(root / "file", {0});
    EXPECT_FALSE(MakeDirectoryPath((root / "file" / "below").string()));
}

}  // namespace
}  // namespace tavrel
