#include "stringmodule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include "logging.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

StringModule StringModule::FromFolder(const QString& folder) {
    StringModule module;
    const auto fault = [&module](const QString& error) {
        qCWarning(lcSettings).noquote() << error;
        module.m_errors.append(error);
    };
    const QFileInfoList tables = QDir(folder).entryInfoList({u"*.json"_s}, QDir::Files);
    if (tables.isEmpty()) {
        fault(u"%1: no string tables"_s.arg(folder));
    }
    for (const QFileInfo& table : tables) {
        const QString path = table.filePath();
        // Exactly four digits, so that "409.json" cannot stand in for "0409.json".
        bool isLangId = false;
        const LangId language = table.completeBaseName().toUShort(&isLangId, 16);
        if (!isLangId || table.completeBaseName().size() != 4) {
            fault(u"%1: not named by a language id in four hex digits"_s.arg(path));
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            fault(u"%1: %2"_s.arg(path, file.errorString()));
            continue;
        }
        QJsonParseError parsed;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parsed);
        if (parsed.error != QJsonParseError::NoError) {
            fault(u"%1: %2 at byte %3"_s.arg(path, parsed.errorString()).arg(parsed.offset));
            continue;
        }
        const QJsonObject root = document.object();
        const QJsonValue locale = root.value(u"locale");
        const QJsonValue strings = root.value(u"strings");
        if (!document.isObject() || !locale.isString() || !strings.isObject()) {
            fault(u"%1: not an object with a \"locale\" text and a \"strings\" object"_s.arg(path));
            continue;
        }
        module.m_locales.emplace(language, QLocale(locale.toString()));
        const QJsonObject texts = strings.toObject();
        for (auto text = texts.begin(); text != texts.end(); ++text) {
            bool isId = false;
            const uint id = text.key().toUShort(&isId);
            if (!isId) {
                fault(u"%1: \"%2\" is no string id from 0 to 65535"_s.arg(path, text.key()));
            } else if (!text.value().isString()) {
                fault(u"%1: the entry of id %2 is not a text"_s.arg(path).arg(id));
            } else {
                module.m_blocks[{language, id / 16 + 1}][id % 16] = text.value().toString();
            }
        }
    }
    return module;
}

const StringModule::Block* StringModule::FindBlock(uint blockNumber, LangId language) const {
    const auto block = m_blocks.find({language, blockNumber});
    return block == m_blocks.end() ? nullptr : &block->second;
}

LangId StringModule::LanguageForLocale(const QLocale& locale) const {
    std::optional<LangId> sameLanguage;
    for (const auto& [language, tableLocale] : m_locales) {
        if (tableLocale.language() != locale.language()) {
            continue;
        }
        if (tableLocale.territory() == locale.territory()) {
            return language;
        }
        if (!sameLanguage) {
            sameLanguage = language;
        }
    }
    return sameLanguage.value_or(kEnglishLangId);
}

const StringModule& ProgramModule() {
    // Resource data never changes while the program runs: read it once.
    static const StringModule module = StringModule::FromFolder(u":/strings"_s);
    return module;
}

QStringList CheckProgramStrings() {
    return ProgramModule().Errors();
}

std::optional<QString> LoadStringForLanguage(uint id, LangId language, const StringModule& module) {
    const StringModule::Block* block = module.FindBlock(id / 16 + 1, language);
    if (block == nullptr || (*block)[id % 16].isEmpty()) {
        return std::nullopt;
    }
    return (*block)[id % 16];
}

QString LoadPlatformString(StringId id) {
    return LoadPlatformString(id, QLocale::system());
}

QString LoadPlatformString(StringId id, const QLocale& userLocale) {
    const StringModule& module = ProgramModule();
    std::optional<QString> text =
        LoadStringForLanguage(Number(id), module.LanguageForLocale(userLocale), module);
    if (!text) {
        text = LoadStringForLanguage(Number(id), kEnglishLangId, module);
    }
    return text.value_or(QString());
}

}  // namespace tavrel
