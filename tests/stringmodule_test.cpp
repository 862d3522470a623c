#include "stringmodule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include <QLocale>
#include <QString>

#include "qtsupport/qtprinters.h"
#include "testsupport.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

constexpr LangId kJapanese = 0x0411;

TEST(StringModuleTest, LookupTakesOneEntryOfOneBlockInExactlyThatLanguage) {
    struct Case {
        uint id;
        LangId language;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {Number(StringId::SelectMedia), kJapanese, u"メディアを選択"_s},
        {Number(StringId::SelectMedia), kEnglishLangId, u"Select a media"_s},
        {Number(StringId::Disk), kJapanese, u"ディスク"_s},         // 111: last of block 7
        {Number(StringId::FolderLabel), kJapanese, u"フォルダ"_s},  // 112: first of block 8
        {Number(StringId::OpenTip), kJapanese, u"ファイルの読み込み"_s},
        {100, kJapanese, std::nullopt},  // block 7 is there, its entry 4 is empty
        {150, kJapanese, std::nullopt},
        {300, kJapanese, std::nullopt},                         // no such block
        {Number(StringId::SelectMedia), 0x0407, std::nullopt},  // German: no table
        {Number(StringId::SelectMedia), 0x0011, std::nullopt},  // neutral Japanese is not Japanese
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " in " << std::hex << c.language);
        EXPECT_EQ(LoadStringForLanguage(c.id, c.language, ProgramModule()), c.expected);
    }
    // Block 7 holds ids 96 to 111, so 104 is its entry 8.
    const StringModule::Block* block = ProgramModule().FindBlock(7, kJapanese);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ((*block)[8], u"メディアを選択"_s);
}

TEST(StringModuleTest, EnglishAndJapaneseTablesHoldTheSixtySixStrings) {
    std::set<uint> expected;
    for (uint id = Number(StringId::AboutItem); id <= Number(StringId::OkButton); ++id) {
        expected.insert(id);
    }
    for (uint id = Number(StringId::OpenTip); id <= Number(StringId::SpeedUnitTip); ++id) {
        expected.insert(id);
    }
    for (const LangId language : {kEnglishLangId, kJapanese}) {
        std::set<uint> found;
        for (uint id = 0; id < 0x10000; ++id) {
            if (LoadStringForLanguage(id, language, ProgramModule())) {
                found.insert(id);
            }
        }
        EXPECT_EQ(found, expected) << std::hex << language;
    }
    EXPECT_EQ(LoadStringForLanguage(Number(StringId::StartupFailed), kJapanese, ProgramModule()),
              u"Windowsソケットの初期化に失敗しました。"_s + QString(21, u' '));
    EXPECT_EQ(
        LoadStringForLanguage(Number(StringId::OverwriteQuestion), kEnglishLangId, ProgramModule()),
        u"File \"%s\" is already exist. Are you sure to overwrite it?"_s);
}

TEST(StringModuleTest, PlatformLookupFollowsTheUsersLocaleWithEnglishBehind) {
    struct Case {
        const char16_t* locale;
        StringId id;
        QString expected;
    };
    // Between the tables' two ranges of ids.
    constexpr auto kUnusedId = static_cast<StringId>(150);
    const QString englishAbout = u"&About Tavrel..."_s;
    const QString englishError = u"Media player encountered a error."_s;
    const Case cases[] = {
        {u"ja_JP", StringId::AboutItem, u"バージョン情報"_s},
        {u"ja_JP", StringId::PlayerError, u"メディアプレーヤーにエラーが発生しました。"_s},
        {u"en_US", StringId::AboutItem, englishAbout},
        {u"en_GB", StringId::PlayerError, englishError},  // same language, another country
        {u"de_DE", StringId::PlayerError, englishError},  // no German table
        {u"C", StringId::AboutItem, englishAbout},
        {u"ja_JP", kUnusedId, QString()},
    };
    for (const Case& c : cases) {
        const QString locale = QString::fromUtf16(c.locale);
        SCOPED_TRACE(testing::Message() << locale.toStdString() << " " << Number(c.id));
        EXPECT_EQ(LoadPlatformString(c.id, QLocale(locale)), c.expected);
    }
}

TEST(StringModuleTest, ATableIsChosenByLanguageThenCountry) {
    const std::filesystem::path folder = test::FreshFolder("tables");
    const std::pair<const char*, const char*> tables[] = {
        {"0409.json", "en_US"}, {"0404.json", "zh_TW"},  {"0804.json", "zh_CN"},
        {"0816.json", "pt_PT"}, {"notes.json", "fr_FR"},  // not named by a LangId
    };
    for (const auto& [name, locale] : tables) {
        std::ofstream(folder / name)
            << R"({"locale": ")" << locale << R"(", "strings": {"101": ")" << locale << R"("}})";
    }
    const StringModule module = StringModule::FromFolder(QString::fromStdString(folder.string()));
    const std::pair<const char16_t*, LangId> cases[] = {
        {u"zh_CN", 0x0804}, {u"zh_TW", 0x0404},
        {u"zh_HK", 0x0404},  // no table of its own: the first of its language
        {u"pt_BR", 0x0816}, {u"fr_FR", kEnglishLangId},
    };
    for (const auto& [locale, expected] : cases) {
        EXPECT_EQ(module.LanguageForLocale(QLocale(QString::fromUtf16(locale))), expected)
            << QString::fromUtf16(locale).toStdString();
    }
    EXPECT_EQ(LoadStringForLanguage(101, 0x0804, module), u"zh_CN"_s);
}

// A broken table is a fault of the build: each one is named, and what can be
// read is still read.
TEST(StringModuleTest, WhatCannotBeReadIsListedWithItsFile) {
    const std::filesystem::path folder = test::FreshFolder("broken tables");
    const std::pair<const char*, const char*> tables[] = {
        {"0409.json",
         R"({"locale": "en_US", "strings": {"101": "About", "1O2": "typo", "103": 7}})"},
        {"0411.json", R"({"locale": "ja_JP", "strings": {"101": "unterminated})"},
        {"0407.json", R"(["de_DE"])"},
        {"0804.json", R"({"locale": "zh_CN", "strings": {"70000": "beyond"}})"},
        {"409.json", R"({"locale": "en_GB", "strings": {}})"},
    };
    for (const auto& [name, text] : tables) {
        std::ofstream(folder / name) << text;
    }
    const StringModule module = StringModule::FromFolder(QString::fromStdString(folder.string()));

    const std::pair<const char*, const char*> expected[] = {
        {"0407.json", "not an object"},
        {"0409.json", "\"1O2\" is no string id"},
        {"0409.json", "id 103 is not a text"},
        {"0411.json", "at byte"},
        {"0804.json", "\"70000\" is no string id"},
        {"409.json", "four hex digits"},
    };
    ASSERT_EQ(module.Errors().size(), static_cast<qsizetype>(std::size(expected)))
        << module.Errors().join(u'\n').toStdString();
    for (const auto& [file, fault] : expected) {
        const QString fileName = QString::fromUtf8(file);
        const QString faultText = QString::fromUtf8(fault);
        const bool named =
            std::any_of(module.Errors().begin(), module.Errors().end(), [&](const QString& error) {
                return error.contains(fileName) && error.contains(faultText);
            });
        EXPECT_TRUE(named) << file << ": " << fault;
    }
    EXPECT_EQ(LoadStringForLanguage(101, kEnglishLangId, module), u"About"_s);
    EXPECT_EQ(LoadStringForLanguage(101, kJapanese, module), std::nullopt);

    const std::filesystem::path empty = test::FreshFolder("no tables");
    EXPECT_EQ(StringModule::FromFolder(QString::fromStdString(empty.string())).Errors().size(), 1);
}

TEST(StringModuleTest, TheProgramsOwnTablesAreSound) {
    EXPECT_EQ(CheckProgramStrings(), QStringList());
}

}  // namespace
}  // namespace tavrel
