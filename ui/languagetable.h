#pragma once

#include <array>

#include <QString>
#include <QStringView>

#include "stringids.h"
#include "stringmodule.h"

namespace tavrel {

struct LanguageEntry {
    QStringView code;  // as stored in [UI] LANGID
    QStringView displayName;
    quint16 primaryLanguage;
    quint16 subLanguage;
};

// The interface languages offered. Japanese is the only one, so the program's
// own texts are Japanese whatever the system's language.
inline constexpr std::array<LanguageEntry, 1> kLanguageTable = {{
    {u"JPN", u"日本語", 0x11, 0x01},
}};

// Exact, case-sensitive match; -1 when no row has the code.
int FindLanguageIndex(QStringView code);

// These take an index inside the table.
QString LanguageCode(int index);
QString LanguageDisplayName(int index);
LangId LanguageIdOf(int index);

// The text of a string id in the current interface language, else in
// Japanese; empty when neither has it.
QString LoadUiString(StringId id);

}  // namespace tavrel
