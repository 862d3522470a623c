#include "languagetable.h"

#include <gtest/gtest.h>

#include <QString>

#include "appsettings.h"
#include "qtsupport/qtprinters.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

constexpr LangId kJapanese = 0x0411;

TEST(LanguageTableTest, OneJapaneseRowFoundByItsExactCode) {
    EXPECT_EQ(FindLanguageIndex(u"JPN"), 0);
    for (const char16_t* code : {u"jpn", u"ENG", u"JPN ", u""}) {
        EXPECT_EQ(FindLanguageIndex(QStringView(code)), -1)
            << QString::fromUtf16(code).toStdString();
    }
    EXPECT_EQ(LanguageCode(0), u"JPN"_s);
    EXPECT_EQ(LanguageDisplayName(0), u"日本語"_s);
    EXPECT_EQ(LanguageIdOf(0), kJapanese);
}

TEST(LanguageTableTest, UiStringsAreJapaneseOrEmpty) {
    // Whatever the settings hold, the lookup starts from the current row.
    AppSettings::Instance().languageId = kEnglishLangId;
    EXPECT_EQ(LoadUiString(104), u"メディアを選択"_s);
    EXPECT_EQ(AppSettings::Instance().languageId, kJapanese);
    EXPECT_EQ(LoadUiString(101), u"バージョン情報"_s);
    EXPECT_EQ(LoadUiString(150), QString());
}

}  // namespace
}  // namespace tavrel
