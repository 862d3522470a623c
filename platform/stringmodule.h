#pragma once

#include <array>
#include <map>
#include <optional>
#include <utility>

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "stringids.h"

namespace tavrel {

// A language as string tables know it: sub-language shifted left by 10, or-ed
// with the primary language (0x0409 English, 0x0411 Japanese).
using LangId = quint16;

inline constexpr LangId kEnglishLangId = 0x0409;

// The string tables a program carries, laid out as the resource compiler lays
// them out: block n of a language holds the ids 16 * (n - 1) to 16 * n - 1.
class StringModule {
public:
    using Block = std::array<QString, 16>;

    // Reads every table of a folder (in practice a resource folder): one
    // JSON file per language, named by its LangId in four hex digits, with
    // the locale the language stands for and the texts by id. Whatever of
    // the folder cannot be taken is left out, logged and listed in Errors().
    static StringModule FromFolder(const QString& folder);

    // One line per fault: a folder without tables, a file that is no table,
    // a table that cannot be read or parsed, an id or text that is no id or
    // text.
    const QStringList& Errors() const { return m_errors; }

    // The block in exactly that language, or nullptr.
    const Block* FindBlock(uint blockNumber, LangId language) const;

    // The language whose table the platform lookup reads for a user of that
    // locale: the same language and country, else the same language, else
    // English.
    LangId LanguageForLocale(const QLocale& locale) const;

private:
    std::map<std::pair<LangId, uint>, Block> m_blocks;
    std::map<LangId, QLocale> m_locales;
    QStringList m_errors;
};

// The tables under :/strings, which the program carries.
const StringModule& ProgramModule();

// What is wrong with the program's own tables: the start-up shows it and
// stops rather than run with texts missing. Empty when they are sound.
QStringList CheckProgramStrings();

// The text of entry id % 16 of block id / 16 + 1 in exactly that language;
// nullopt when the block is not in the module or the entry is empty.
std::optional<QString> LoadStringForLanguage(uint id, LangId language, const StringModule& module);

// The platform's ordinary string lookup, which follows the user's locale
// rather than the interface language: the table of the locale's language,
// English when there is none or when it lacks the id; empty when neither
// has it.
QString LoadPlatformString(StringId id);
QString LoadPlatformString(StringId id, const QLocale& userLocale);

}  // namespace tavrel
