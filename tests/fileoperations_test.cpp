#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "fakeviews.h"
#include "recordingcatalog.h"
#include "recordingfileoperations.h"
#include "testsupport.h"
#include "trackplotter.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using samplegen::WallClock;
using Calls = std::vector<std::string>;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Writable(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) != 0;
}

// A card with two runs: run 0 is FILE0001 and MOVIE/EVGS0002 (locked) and
// MOVIE/FILE0003 and FILE0004, run 1 is FILE0005 an hour later.
class FileOperations : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = test::FreshFolder("card");
        m_destination = test::FreshFolder("backup");
        const WallClock start{2012, 5, 1, 10, 0, 0};
        const char* names[] = {"FILE0001.AVI", "MOVIE/EVGS0002.AVI", "MOVIE/FILE0003.AVI",
                               "FILE0004.AVI"};
        for (int i = 0; i < 4; ++i) {
            Record(names[i], start.Plus(60 * i));
        }
        Record("FILE0005.AVI", start.Plus(3600));
        test::MakeReadOnly(m_root / "MOVIE" / "EVGS0002.AVI");

        m_catalog.InitCatalog(&m_groups, &m_files, &m_owner);
        m_tracks.BindMap(&m_map);
        m_operations.BindStatusBoard(&m_owner);
        m_operations.BindQuestions(&m_owner);
        ASSERT_EQ(m_catalog.FillFromFolder(m_root.string()), 1);
        ASSERT_EQ(m_catalog.Groups().size(), 2u);
        m_log.Clear();
    }

    void Record(const std::string& relativePath, const WallClock& start) {
        test::WriteRecording(m_root / relativePath,
                             samplegen::BuildRecording(test::ShortRecording(60, start)));
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const RecordingEntry& entry : m_catalog.Files()) {
            names.push_back(entry.relativeFolder + entry.name);
        }
        return names;
    }

    fs::path m_root;
    fs::path m_destination;
    test::CallLog m_log;
    test::FakeGroupList m_groups{&m_log};
    test::FakeFileList m_files{&m_log};
    test::FakeMap m_map{&m_log};
    test::FakeOwner m_owner{&m_log};
    RecordingCatalog m_catalog;
    TrackPlotter m_tracks{m_catalog};
    RecordingFileOperations m_operations{m_catalog, m_tracks};
};

TEST_F(FileOperations, NothingTickedChangesNothing) {
    EXPECT_FALSE(m_operations.CopyCheckedTo(m_destination.string()));
    EXPECT_FALSE(m_operations.DeleteChecked());
    EXPECT_FALSE(m_operations.UnlockChecked());
    EXPECT_TRUE(m_log.Calls().empty());
    EXPECT_TRUE(fs::is_empty(m_destination));
    EXPECT_EQ(m_catalog.Files().size(), 5u);
}

TEST_F(FileOperations, CopyRepeatsSubfoldersAndAsksBeforeOverwriting) {
    samplegen::WriteFile(m_destination / "FILE0004.AVI", {'k', 'e', 'e', 'p'});
    m_groups.checked = {0};
    ASSERT_TRUE(m_operations.CopyCheckedTo(m_destination.string()));

    const std::string declined = (m_destination / "FILE0004.AVI").string();
    EXPECT_EQ(m_log.Calls(), (Calls{"progress 0", "progress 25", "progress 50", "progress 75",
                                    "overwrite? " + declined, "progress 100", "board hidden"}));
    EXPECT_EQ(ReadText(declined), "keep");
    for (const char* copied : {"FILE0001.AVI", "MOVIE/EVGS0002.AVI", "MOVIE/FILE0003.AVI"}) {
        EXPECT_EQ(ReadText(m_destination / copied), ReadText(m_root / copied)) << copied;
    }
    EXPECT_FALSE(fs::exists(m_destination / "FILE0005.AVI"));  // run 1 was not ticked
    // The backup of an event recording stays locked, and no temporary file
    // is left behind.
    EXPECT_FALSE(Writable(m_destination / "MOVIE" / "EVGS0002.AVI"));
    int entries = 0;
    for (const auto& entry : fs::recursive_directory_iterator(m_destination)) {
        entries += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(entries, 4);

    m_owner.overwriteAnswer = true;
    ASSERT_TRUE(m_operations.CopyCheckedTo(m_destination.string()));
    EXPECT_EQ(ReadText(declined), ReadText(m_root / "FILE0004.AVI"));
}

TEST_F(FileOperations, CopyThatCannotBeMadeIsPassedOver) {
    // A file where the destination folder should be: nothing can be created.
    samplegen::WriteFile(m_destination / "blocked", {0});
    m_groups.checked = {1};
    ASSERT_TRUE(m_operations.CopyCheckedTo((m_destination / "blocked").string()));
    EXPECT_EQ(m_log.Calls(), (Calls{"progress 0", "progress 100", "board hidden"}));
    EXPECT_EQ(ReadText(m_destination / "blocked"), std::string(1, '\0'));
}

TEST_F(FileOperations, CopyKeepsTheModificationTime) {
    // A time well in the past, with nanoseconds, that no fresh file has.
    const fs::path source = m_root / "FILE0005.AVI";
    const timespec times[2] = {{1336000000, 123456789}, {1335900000, 987654321}};
    ASSERT_EQ(::utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
    m_groups.checked = {1};
    ASSERT_TRUE(m_operations.CopyCheckedTo(m_destination.string()));

    struct stat original {};
    struct stat copy {};
    ASSERT_EQ(::stat(source.c_str(), &original), 0);
    ASSERT_EQ(::stat((m_destination / "FILE0005.AVI").c_str(), &copy), 0);
    EXPECT_EQ(copy.st_mtim.tv_sec, original.st_mtim.tv_sec);
    EXPECT_EQ(copy.st_mtim.tv_nsec, original.st_mtim.tv_nsec);
}

TEST_F(FileOperations, DeleteKeepsLockedRecordingsAndRegroups) {
    m_groups.checked = {0};
    ASSERT_TRUE(m_operations.DeleteChecked());
    EXPECT_EQ(Names(), (std::vector<std::string>{"MOVIE/EVGS0002.AVI", "FILE0005.AVI"}));
    EXPECT_TRUE(fs::exists(m_root / "MOVIE" / "EVGS0002.AVI"));
    EXPECT_FALSE(fs::exists(m_root / "FILE0001.AVI"));
    ASSERT_EQ(m_catalog.Groups().size(), 2u);
    EXPECT_EQ(m_catalog.Groups()[0].lockFlags, LOCK_EVENT);
    EXPECT_EQ(m_files.rows.size(), 2u + 5u);  // the new rows after the first listing
    EXPECT_EQ(m_log.Calls(), (Calls{"groups clear", "files clear", "ClearRunTracks"}));
}

TEST_F(FileOperations, UnlockThenDeleteRemovesTheFormerlyLockedRecording) {
    m_groups.checked = {0};
    ASSERT_TRUE(m_operations.UnlockChecked());
    EXPECT_TRUE(Writable(m_root / "MOVIE" / "EVGS0002.AVI"));
    EXPECT_EQ(m_catalog.Files()[1].lockFlags, 0u);
    EXPECT_EQ(m_catalog.Groups()[0].lockFlags, 0u);
    EXPECT_EQ(m_log.Calls(), (Calls{"groups clear", "files clear"}));
    ASSERT_GE(m_groups.rows.size(), 2u);
    EXPECT_EQ(m_groups.rows[m_groups.rows.size() - 2].lockFlags, 0u);

    ASSERT_TRUE(m_operations.DeleteChecked());
    EXPECT_EQ(Names(), std::vector<std::string>{"FILE0005.AVI"});
}

}  // namespace
}  // namespace tavrel
