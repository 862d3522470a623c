#include "stringmodule.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
        {104, kJapanese, u"メディアを選択"_s},
        {104, kEnglishLangId, u"Select a media"_s},
        {111, kJapanese, u"ディスク"_s},  // last entry of block 7
        {112, kJapanese, u"フォルダ"_s},  // first entry of block 8
        {179, kJapanese, u"ファイルの読み込み"_s},
        {100, kJapanese, std::nullopt},  // block 7 is there, its entry 4 is empty
        {150, kJapanese, std::nullopt},
        {300, kJapanese, std::nullopt},  // no such block
        {104, 0x0407, std::nullopt},     // German: no table
        {104, 0x0011, std::nullopt},     // neutral Japanese is not Japanese
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
    for (uint id = 101; id <= 145; ++id) {
        expected.insert(id);
    }
    for (uint id = 179; id <= 199; ++id) {
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
    EXPECT_EQ(LoadStringForLanguage(103, kJapanese, ProgramModule()),
              u"Windowsソケットの初期化に失敗しました。"_s + QString(21, u' '));
    EXPECT_EQ(LoadStringForLanguage(141, kEnglishLangId, ProgramModule()),
              u"File \"%s\" is already exist. Are you sure to overwrite it?"_s);
}

TEST(StringModuleTest, PlatformLookupFollowsTheUsersLocaleWithEnglishBehind) {
    struct Case {
        const char16_t* locale;
        uint id;
        QString expected;
    };
    const QString englishAbout = u"&About Tavrel..."_s;
    const QString englishError = u"Media player encountered a error."_s;
    const Case cases[] = {
        {u"ja_JP", 101, u"バージョン情報"_s},
        {u"ja_JP", 102, u"メディアプレーヤーにエラーが発生しました。"_s},
        {u"en_US", 101, englishAbout},
        {u"en_GB", 102, englishError},  // same language, another country
        {u"de_DE", 102, englishError},  // no German table
        {u"C", 101, englishAbout},
        {u"ja_JP", 150, QString()},
    };
    for (const Case& c : cases) {
        const QString locale = QString::fromUtf16(c.locale);
        SCOPED_TRACE(testing::Message() << locale.toStdString() << " " << c.id);
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

}  // namespace
}  // namespace tavrel
