#include "appsettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <utility>

#include <QString>

#include "qtsupport/qtprinters.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

constexpr QSize kFullHd(1920, 1040);

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Each test works in a working directory of its own, as the program does in
// the folder it is started from.
class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::current_path(m_folder); }
    void TearDown() override { std::filesystem::current_path(m_previous); }

    const std::filesystem::path m_previous = std::filesystem::current_path();
    const std::filesystem::path m_folder =
        test::FreshFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    const std::filesystem::path m_file = m_folder / "Orlin.ini";
};

TEST_F(AppSettingsTest, WithoutAFileEverySettingHasItsDefault) {
    AppSettings settings;
    EXPECT_EQ(settings.IniPath(), ToQString(m_file));
    EXPECT_EQ(settings.LanguageIndex(), 0);
    EXPECT_EQ(settings.LanguageId(), 0x0411);
    EXPECT_EQ(settings.ReadMapType(), 0);
    EXPECT_EQ(settings.ReadInt(u"UI", u"MAP_ENABLE", 1), 1);
    EXPECT_EQ(settings.ReadInt(u"UI", u"GSNR_ENABLE", 1), 1);
    EXPECT_EQ(settings.GetLastFolder(), QString());
    EXPECT_EQ(settings.LoadWindowRect(kFullHd), QRect(0, 0, 800, 560));
    EXPECT_EQ(settings.LoadWindowRect(QSize(640, 480)), QRect(0, 0, 640, 480));
    EXPECT_FALSE(std::filesystem::exists(m_file));
}

TEST_F(AppSettingsTest, AnyStoredLanguageCodeLeavesJapanese) {
    for (const char* code : {"JPN", "ENG", "jpn", "XYZ", ""}) {
        SCOPED_TRACE(code);
        WriteText(m_file, std::string("[UI]\nLANGID=") + code + "\n");
        AppSettings settings;
        EXPECT_EQ(settings.LanguageIndex(), 0);
        EXPECT_EQ(settings.ReadLanguage(), 0x0411);
    }
}

TEST_F(AppSettingsTest, MapTypeIsClampedToZeroOrOne) {
    const std::pair<const char*, int> cases[] = {{"5", 1}, {"-3", 0}, {"1", 1}, {"0", 0}};
    AppSettings settings;
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        WriteText(m_file, std::string("[UI]\nMAP=") + stored + "\n");
        EXPECT_EQ(settings.ReadMapType(), expected);
        EXPECT_EQ(settings.MapType(), expected);
    }
}

TEST(FitWindowRectTest, StoredRectangleIsMadeLargeEnoughAndMovedOntoTheScreen) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    struct Case {
        const char* what;
        int left, top, right, bottom;
        QSize screen;
        QRect expected;
    };
    const Case cases[] = {
        {"too small: raised to 800 x 560", 100, 100, 300, 200, kFullHd, {100, 100, 800, 560}},
        {"raised, then moved left and up to fit",
         100,
         100,
         300,
         200,
         {850, 600},
         {50, 40, 800, 560}},
        {"beyond the right edge", 5000, 0, 5800, 560, kFullHd, {1120, 0, 800, 560}},
        {"left of the screen", -50, 0, 750, 560, kFullHd, {0, 0, 800, 560}},
        {"larger than the screen", 10, 20, 2500, 1500, kFullHd, {0, 0, 1920, 1040}},
        {"the minimum gives way to a small screen", 0, 0, 800, 560, {640, 480}, {0, 0, 640, 480}},
        {"closed while minimised", -32000, -32000, -31840, -31972, kFullHd, {0, 0, 800, 560}},
        {"right of left", 300, 200, 100, 100, kFullHd, {300, 200, 800, 560}},
        {"edges an int apart", kMin, kMin, kMax, kMax, kFullHd, {0, 0, 1920, 1040}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FitWindowRect(c.left, c.top, c.right, c.bottom, c.screen), c.expected);
    }
}

TEST_F(AppSettingsTest, WindowRectIsReadFromWinposAndFitted) {
    AppSettings settings;
    settings.WriteInt(u"WINPOS", u"LEFT", 5000);
    settings.WriteInt(u"WINPOS", u"TOP", 300);
    settings.WriteInt(u"WINPOS", u"RIGHT", 5800);
    settings.WriteInt(u"WINPOS", u"BOTTOM", 900);
    EXPECT_EQ(settings.LoadWindowRect(kFullHd), QRect(1120, 300, 800, 600));
    // No application, so no screen to measure: the smallest window.
    EXPECT_EQ(settings.LoadWindowRect(), QRect(0, 0, 800, 560));
}

TEST_F(AppSettingsTest, LastFolderIsKeptOnlyWhileItExists) {
    AppSettings settings;
    const std::filesystem::path drive = m_folder / "運転記録";
    std::filesystem::create_directory(drive);
    QString chosen = ToQString(drive);
    EXPECT_TRUE(settings.SetLastFolder(chosen));
    EXPECT_EQ(chosen, ToQString(drive));
    EXPECT_EQ(settings.GetLastFolder(), ToQString(drive));
    EXPECT_EQ(ReadText(m_file), "[UI]\nFolder=" + drive.string() + "\n");

    std::filesystem::remove(drive);
    EXPECT_EQ(settings.GetLastFolder(), QString());

    QString vanished = ToQString(drive);
    EXPECT_TRUE(settings.SetLastFolder(vanished));
    EXPECT_EQ(vanished, QString());
    EXPECT_EQ(ReadText(m_file), "[UI]\nFolder=\n");
}

TEST_F(AppSettingsTest, SetLanguageOutsideTheTableChangesNothing) {
    AppSettings settings;
    for (const int index : {-1, 1}) {
        EXPECT_FALSE(settings.SetLanguage(index));
    }
    EXPECT_FALSE(std::filesystem::exists(m_file));
    EXPECT_EQ(settings.LanguageIndex(), 0);

    WriteText(m_file, "[UI]\nLANGID=ENG\n");
    EXPECT_FALSE(settings.SetLanguage(-1));
    EXPECT_EQ(ReadText(m_file), "[UI]\nLANGID=ENG\n");

    EXPECT_TRUE(settings.SetLanguage(0));
    EXPECT_EQ(ReadText(m_file), "[UI]\nLANGID=JPN\n");
}

TEST_F(AppSettingsTest, ASessionKeepsForeignKeysAndTheOrderOfTheFile) {
    std::filesystem::create_directory(m_folder / "card");
    WriteText(m_file,
              "; settings of the viewer\n"
              "[WINPOS]\n"
              "RIGHT=1000\n"
              "LEFT=40\n"
              "Monitor=2\n"
              "\n"
              "[Updater]\n"
              "Channel=stable\n"
              "[UI]\n"
              "MAP=0\n"
              "Theme=dark\n");
    AppSettings settings;
    settings.ReadMapType();
    settings.WriteInt(u"UI", u"MAP_ENABLE", 0);
    QString folder = ToQString(m_folder / "card");
    settings.SetLastFolder(folder);
    settings.SetLanguage(0);
    // As the main window stores its rectangle when it closes.
    const std::pair<const char16_t*, int> edges[] = {
        {u"LEFT", 10}, {u"TOP", 20}, {u"RIGHT", 830}, {u"BOTTOM", 600}};
    for (const auto& [key, value] : edges) {
        settings.WriteInt(u"WINPOS", QStringView(key), value);
    }
    EXPECT_EQ(ReadText(m_file),
              "; settings of the viewer\n"
              "[WINPOS]\n"
              "RIGHT=830\n"
              "LEFT=10\n"
              "Monitor=2\n"
              "TOP=20\n"
              "BOTTOM=600\n"
              "\n"
              "[Updater]\n"
              "Channel=stable\n"
              "[UI]\n"
              "MAP=0\n"
              "Theme=dark\n"
              "MAP_ENABLE=0\n"
              "Folder=" +
                  (m_folder / "card").string() +
                  "\n"
                  "LANGID=JPN\n");
}

TEST_F(AppSettingsTest, AnUnwritableWorkingDirectoryIsIgnored) {
    AppSettings settings;
    std::filesystem::remove_all(m_folder);

    EXPECT_FALSE(settings.WriteInt(u"UI", u"MAP_ENABLE", 0));
    EXPECT_FALSE(settings.SetLanguage(0));
    EXPECT_EQ(settings.LanguageIndex(), 0);
    QString folder = u"/"_s;
    EXPECT_FALSE(settings.SetLastFolder(folder));
    EXPECT_EQ(settings.ReadInt(u"UI", u"MAP_ENABLE", 1), 1);
    EXPECT_EQ(settings.GetLastFolder(), QString());

    // Started in a folder that is gone: there is no file to write at all,
    // and certainly not one in the root folder.
    const bool rootFileBefore = std::filesystem::exists("/Orlin.ini");
    AppSettings homeless;
    EXPECT_EQ(homeless.IniPath(), QString());
    EXPECT_FALSE(homeless.WriteInt(u"UI", u"MAP", 0));
    EXPECT_EQ(std::filesystem::exists("/Orlin.ini"), rootFileBefore);
}

// The only test here that touches the program's one object.
TEST_F(AppSettingsTest, InstanceStaysInTheWorkingDirectoryOfItsFirstCall) {
    AppSettings& settings = AppSettings::Instance();
    EXPECT_EQ(&settings, &AppSettings::Instance());
    EXPECT_EQ(settings.IniPath(), ToQString(m_file));
    std::filesystem::current_path(m_previous);
    EXPECT_EQ(AppSettings::Instance().IniPath(), ToQString(m_file));
}

}  // namespace
}  // namespace tavrel
