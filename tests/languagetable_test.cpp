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
    // Between the tables' two ranges of ids.
    constexpr auto kUnusedId = static_cast<StringId>(150);
    EXPECT_EQ(LoadUiString(StringId::SelectMedia), u"メディアを選択"_s);
    EXPECT_EQ(AppSettings::Instance().LanguageId(), kJapanese);
    EXPECT_EQ(LoadUiString(StringId::AboutItem), u"バージョン情報"_s);
    EXPECT_EQ(LoadUiString(kUnusedId), QString());
}

}  // namespace
}  // namespace tavrel
