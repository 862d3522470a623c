#include "stringmodule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

StringModule StringModule::FromFolder(const QString& folder) {
    StringModule module;
    const QFileInfoList tables = QDir(folder).entryInfoList({u"*.json"_s}, QDir::Files);
    for (const QFileInfo& table : tables) {
        bool isLangId = false;
        const LangId language = table.completeBaseName().toUShort(&isLangId, 16);
        QFile file(table.filePath());
        if (!isLangId || !file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        const QJsonObject texts = root.value(u"strings").toObject();
        module.m_locales.emplace(language, QLocale(root.value(u"locale").toString()));
        for (auto text = texts.begin(); text != texts.end(); ++text) {
            bool isId = false;
            const uint id = text.key().toUShort(&isId);
            if (isId) {
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

std::optional<QString> LoadStringForLanguage(uint id, LangId language, const StringModule& module) {
    const StringModule::Block* block = module.FindBlock(id / 16 + 1, language);
    if (block == nullptr || (*block)[id % 16].isEmpty()) {
        return std::nullopt;
    }
    return (*block)[id % 16];
}

QString LoadPlatformString(uint id) {
    return LoadPlatformString(id, QLocale::system());
}

QString LoadPlatformString(uint id, const QLocale& userLocale) {
    const StringModule& module = ProgramModule();
    std::optional<QString> text =
        LoadStringForLanguage(id, module.LanguageForLocale(userLocale), module);
    if (!text) {
        text = LoadStringForLanguage(id, kEnglishLangId, module);
    }
    return text.value_or(QString());
}

}  // namespace tavrel
