#include "appsettings.h"

#include <algorithm>

#include <QDir>
#include <QFileInfo>

#include "languagetable.h"
#include "privateprofile.h"
#include "screenmetrics.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

namespace {

constexpr QSize kMinimumWindowSize(800, 560);

struct Span {
    int start;
    int length;
};

// One axis of the window. In 64 bits, because hand-edited edges may lie
// further apart than an int can count.
Span FitSpan(int low, int high, int minimumLength, int screenLength) {
    const qint64 length =
        std::min(std::max(qint64{high} - low, qint64{minimumLength}), qint64{screenLength});
    qint64 start = low;
    if (start > screenLength - length) {
        start = screenLength - length;
    } else if (start < 0) {
        start = 0;
    }
    return {static_cast<int>(start), static_cast<int>(length)};
}

}  // namespace

QRect FitWindowRect(int left, int top, int right, int bottom, QSize fullScreenClient) {
    const Span x = FitSpan(left, right, kMinimumWindowSize.width(), fullScreenClient.width());
    const Span y = FitSpan(top, bottom, kMinimumWindowSize.height(), fullScreenClient.height());
    return QRect(x.start, y.start, x.length, y.length);
}

AppSettings& AppSettings::Instance() {
    static AppSettings settings;
    return settings;
}

AppSettings::AppSettings()
    : m_languageIndex(FindLanguageIndex(u"JPN")), m_languageId(LanguageIdOf(m_languageIndex)) {
    // QDir::currentPath() is empty when the working directory is gone; the
    // file must then not land in the root folder.
    const QString workingDirectory = QDir::currentPath();
    if (!workingDirectory.isEmpty()) {
        m_iniPath = workingDirectory + u"/Orlin.ini"_s;
    }
    ReadLanguage();
}

LangId AppSettings::ReadLanguage() {
    const int index = FindLanguageIndex(ReadProfileString(m_iniPath, u"UI", u"LANGID", u"ENG"_s));
    if (index != -1) {
        m_languageIndex = index;
    }
    m_languageId = LanguageIdOf(m_languageIndex);
    return m_languageId;
}

bool AppSettings::SetLanguage(int index) {
    if (index < 0 || index >= static_cast<int>(kLanguageTable.size())) {
        return false;
    }
    m_languageIndex = index;
    m_languageId = LanguageIdOf(index);
    return WriteProfileString(m_iniPath, u"UI", u"LANGID", LanguageCode(index));
}

int AppSettings::ReadInt(QStringView section, QStringView key, int defaultValue) const {
    return ReadProfileInt(m_iniPath, section, key, defaultValue);
}

bool AppSettings::WriteInt(QStringView section, QStringView key, int value) const {
    return WriteProfileString(m_iniPath, section, key, QString::number(value));
}

int AppSettings::ReadMapType() {
    m_mapType = std::clamp(ReadInt(u"UI", u"MAP", 0), 0, 1);
    return m_mapType;
}

// Fitted to the screen's work area, panels left out: the window has no
// caption of its own, so a full-screen client area would let it reach under
// a panel where it cannot be grabbed.
QRect AppSettings::LoadWindowRect() const {
    const QSize screen = FullScreenClientSize();
    // Without a screen to measure, the smallest window fits anywhere.
    return LoadWindowRect(screen.isEmpty() ? kMinimumWindowSize : screen);
}

QRect AppSettings::LoadWindowRect(QSize fullScreenClient) const {
    return FitWindowRect(ReadInt(u"WINPOS", u"LEFT", 0), ReadInt(u"WINPOS", u"TOP", 0),
                         ReadInt(u"WINPOS", u"RIGHT", 800), ReadInt(u"WINPOS", u"BOTTOM", 560),
                         fullScreenClient);
}

QString AppSettings::GetLastFolder() const {
    const QString folder = ReadProfileString(m_iniPath, u"UI", u"Folder", QString());
    return QFileInfo::exists(folder) ? folder : QString();
}

bool AppSettings::SetLastFolder(QString& folder) const {
    if (!QFileInfo::exists(folder)) {
        folder.clear();
    }
    return WriteProfileString(m_iniPath, u"UI", u"Folder", folder);
}

}  // namespace tavrel
