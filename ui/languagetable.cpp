#include "languagetable.h"

#include <optional>

#include "appsettings.h"

namespace tavrel {

int FindLanguageIndex(QStringView code) {
    for (int index = 0; index < static_cast<int>(kLanguageTable.size()); ++index) {
        if (kLanguageTable[index].code == code) {
            return index;
        }
    }
    return -1;
}

QString LanguageCode(int index) {
    return kLanguageTable[index].code.toString();
}

QString LanguageDisplayName(int index) {
    return kLanguageTable[index].displayName.toString();
}

LangId LanguageIdOf(int index) {
    const LanguageEntry& entry = kLanguageTable[index];
    return static_cast<LangId>(entry.subLanguage << 10 | entry.primaryLanguage);
}

QString LoadUiString(StringId id) {
    const LangId language = AppSettings::Instance().LanguageId();
    std::optional<QString> text = LoadStringForLanguage(Number(id), language, ProgramModule());
    const int japanese = FindLanguageIndex(u"JPN");
    if (!text && japanese != -1) {
        text = LoadStringForLanguage(Number(id), LanguageIdOf(japanese), ProgramModule());
    }
    return text.value_or(QString());
}

}  // namespace tavrel
