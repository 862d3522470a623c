#include "privateprofile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include <QString>

#include "qtsupport/qtprinters.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class PrivateProfileTest : public ::testing::Test {
protected:
    const std::filesystem::path m_folder =
        test::FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    const std::filesystem::path m_file = m_folder / "Orlin.ini";
    const QString m_ini = QString::fromStdString(m_file.string());
};

TEST_F(PrivateProfileTest, MissingFileSectionOrKeyGivesTheDefaultAndReadsCreateNothing) {
    EXPECT_EQ(ReadProfileString(m_ini, u"UI", u"LANGID", u"ENG"_s), u"ENG"_s);
    EXPECT_EQ(ReadProfileInt(m_ini, u"UI", u"MAP_ENABLE", 1), 1);
    EXPECT_FALSE(std::filesystem::exists(m_file));

    WriteText(m_file, "[UI]\nMAP=1\nFolder=\n");
    EXPECT_EQ(ReadProfileInt(m_ini, u"UI", u"GSNR_ENABLE", 1), 1);
    EXPECT_EQ(ReadProfileInt(m_ini, u"WINPOS", u"MAP", 7), 7);
    // A key that is there with an empty value is not missing.
    EXPECT_EQ(ReadProfileString(m_ini, u"UI", u"Folder", u"default"_s), QString());
}

TEST_F(PrivateProfileTest, FirstWriteCreatesTheFileAndNewSectionsGoToTheEnd) {
    ASSERT_TRUE(WriteProfileString(m_ini, u"UI", u"MAP", u"0"));
    EXPECT_EQ(ReadText(m_file), "[UI]\nMAP=0\n");
    ASSERT_TRUE(WriteProfileString(m_ini, u"WINPOS", u"LEFT", u"-50"));
    ASSERT_TRUE(WriteProfileString(m_ini, u"UI", u"LANGID", u"JPN"));
    EXPECT_EQ(ReadText(m_file), "[UI]\nMAP=0\nLANGID=JPN\n[WINPOS]\nLEFT=-50\n");
    // Replaced through a temporary file that leaves nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(PrivateProfileTest, WriteChangesOnlyItsOwnLine) {
    struct Case {
        const char* what;
        std::string before;
        const char16_t* section;
        const char16_t* key;
        const char16_t* value;
        std::string after;
    };
    const Case cases[] = {
        {"replaced in place, other sections and comments untouched",
         "; by hand\n[Other]\nColour = blue\n[UI]\nLANGID=ENG\nExtra=kept\n",  //
         u"UI", u"LANGID", u"JPN",
         "; by hand\n[Other]\nColour = blue\n[UI]\nLANGID=JPN\nExtra=kept\n"},
        {"new key after the section's last line, before the blank line",
         "[UI]\nMAP=1\n\n[WINPOS]\nLEFT=5\n",  //
         u"UI", u"GSNR_ENABLE", u"0", "[UI]\nMAP=1\nGSNR_ENABLE=0\n\n[WINPOS]\nLEFT=5\n"},
        {"the same key in another section is another key",
         "[WINPOS]\nMAP=3\n[UI]\n",  //
         u"UI", u"MAP", u"1", "[WINPOS]\nMAP=3\n[UI]\nMAP=1\n"},
        {"names match without regard to case", "[ui]\n  map = 1\n",  //
         u"UI", u"MAP", u"0", "[ui]\nMAP=0\n"},
        {"a commented-out key is not the key", "[UI]\n;MAP=5\n",  //
         u"UI", u"MAP", u"1", "[UI]\n;MAP=5\nMAP=1\n"},
        {"the first of two sections of one name is used", "[UI]\nA=1\n[UI]\nA=2\n",  //
         u"UI", u"A", u"3", "[UI]\nA=3\n[UI]\nA=2\n"},
        {"CRLF files keep their line ends", "[UI]\r\nMAP=1\r\n",  //
         u"UI", u"LANGID", u"JPN", "[UI]\r\nMAP=1\r\nLANGID=JPN\r\n"},
        {"a last line without a line break", "[UI]\nMAP=1",  //
         u"WINPOS", u"TOP", u"0", "[UI]\nMAP=1\n[WINPOS]\nTOP=0\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteText(m_file, c.before);
        EXPECT_TRUE(WriteProfileString(m_ini, QStringView(c.section), QStringView(c.key),
                                       QStringView(c.value)));
        EXPECT_EQ(ReadText(m_file), c.after);
    }
}

TEST_F(PrivateProfileTest, IntegersAreReadAsTheirLeadingDecimalNumber) {
    struct Case {
        std::string stored;
        int expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"-3", -3},
        {"+8", 8},
        {"  7  ", 7},
        {"12abc", 12},
        {"abc", 0},
        {"0x10", 0},
        {"", 99},  // the default
        {"99999999999", std::numeric_limits<int>::max()},
        {"-99999999999", std::numeric_limits<int>::min()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteText(m_file, "[WINPOS]\nLEFT=" + c.stored + "\n");
        EXPECT_EQ(ReadProfileInt(m_ini, u"WINPOS", u"LEFT", 99), c.expected);
    }
}

TEST_F(PrivateProfileTest, ValuesComeBackAsWritten) {
    const QString values[] = {
        u"/media/運転記録/ドライブ"_s,  // UTF-8, as folder names are
        u"  blanks at both ends "_s,
        u"\"quoted\""_s,
        u"'single'"_s,
        u"a=b;c"_s,
        u"\""_s,
        QString(),
    };
    for (const QString& value : values) {
        SCOPED_TRACE(value.toStdString());
        ASSERT_TRUE(WriteProfileString(m_ini, u"UI", u"Folder", value));
        EXPECT_EQ(ReadProfileString(m_ini, u"UI", u"Folder", u"default"_s), value);
    }
    EXPECT_EQ(ReadText(m_file), "[UI]\nFolder=\n");
}

TEST_F(PrivateProfileTest, RefusesWhatWouldNotStayOnOneLine) {
    WriteText(m_file, "[UI]\nFolder=/old\n");
    // A Linux folder name may hold a line break; stored as it is, it would
    // add keys of its own.
    EXPECT_FALSE(WriteProfileString(m_ini, u"UI", u"Folder", u"/x\n[WINPOS]\nLEFT=9"));
    EXPECT_FALSE(WriteProfileString(m_ini, u"UI", u"Folder", u"/x\r"));
    EXPECT_FALSE(WriteProfileString(m_ini, u"UI", u"A=B", u"1"));
    EXPECT_FALSE(WriteProfileString(m_ini, u"UI]", u"A", u"1"));
    EXPECT_FALSE(WriteProfileString(m_ini, u"UI", u"", u"1"));
    EXPECT_EQ(ReadText(m_file), "[UI]\nFolder=/old\n");
}

TEST_F(PrivateProfileTest, FailedWritesReportFailureAndLeaveNoFile) {
    const QString inMissingFolder =
        QString::fromStdString((m_folder / "gone" / "Orlin.ini").string());
    EXPECT_FALSE(WriteProfileString(inMissingFolder, u"UI", u"MAP", u"0"));
    EXPECT_FALSE(std::filesystem::exists(m_folder / "gone"));

    std::filesystem::create_directory(m_file);
    EXPECT_FALSE(WriteProfileString(m_ini, u"UI", u"MAP", u"0"));
    EXPECT_EQ(ReadProfileInt(m_ini, u"UI", u"MAP", 5), 5);
    EXPECT_TRUE(std::filesystem::is_directory(m_file));

    EXPECT_FALSE(WriteProfileString(QString(), u"UI", u"MAP", u"0"));
}

TEST_F(PrivateProfileTest, WriteReplacesTheFileWholeAndKeepsItsPermissions) {
    WriteText(m_file, "[UI]\nMAP=1\n");
    std::filesystem::permissions(m_file, std::filesystem::perms(0640));
    struct stat before {};
    ASSERT_EQ(::stat(m_file.c_str(), &before), 0);
    // A reader that opened the file before the write still sees a whole file.
    std::ifstream reader(m_file, std::ios::binary);

    ASSERT_TRUE(WriteProfileString(m_ini, u"UI", u"MAP", u"0"));

    struct stat after {};
    ASSERT_EQ(::stat(m_file.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), std::istreambuf_iterator<char>()),
              "[UI]\nMAP=1\n");
}

}  // namespace
}  // namespace tavrel
