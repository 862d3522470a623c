#include "privateprofile.h"

#include <algorithm>
#include <limits>
#include <optional>

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QSaveFile>

namespace tavrel {

namespace {

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Case folding is limited to ASCII so that two different UTF-8 names never
// compare equal.
bool SameName(QByteArrayView a, QByteArrayView b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::optional<QByteArray> SectionName(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (!trimmed.startsWith('[')) {
        return std::nullopt;
    }
    const qsizetype close = trimmed.indexOf(']');
    return trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

std::optional<QByteArray> KeyName(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    const qsizetype equals = trimmed.indexOf('=');
    if (trimmed.startsWith(';') || equals < 0) {
        return std::nullopt;
    }
    return trimmed.left(equals).trimmed();
}

bool IsQuoted(const QByteArray& value) {
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
           value.back() == value.front();
}

// Hand-edited files often carry blanks around the value, and quotes around it
// are taken off as other ini readers do.
QByteArray ValueOf(const QByteArray& keyLine) {
    const QByteArray value = keyLine.mid(keyLine.indexOf('=') + 1).trimmed();
    return IsQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

// The reverse of ValueOf: quotes keep blanks at either end, and quotes that
// belong to the value, through the next read.
QByteArray StoredValue(const QByteArray& value) {
    return value != value.trimmed() || IsQuoted(value) ? '"' + value + '"' : value;
}

int LeadingDecimal(QByteArrayView text) {
    constexpr qint64 kBeyondInt = qint64{std::numeric_limits<int>::max()} + 1;
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == '-';
    if (!text.isEmpty() && (text[0] == '-' || text[0] == '+')) {
        ++i;
    }
    qint64 magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kBeyondInt);
    }
    return static_cast<int>(std::clamp(negative ? -magnitude : magnitude,
                                       qint64{std::numeric_limits<int>::min()},
                                       qint64{std::numeric_limits<int>::max()}));
}

// The lines of the file without their "\n" ("\r" stays, so CRLF files keep
// their line ends); none for a missing file, nullopt for a file that exists
// but cannot be read, which must then not be overwritten.
std::optional<QByteArrayList> ReadLines(const QString& iniPath) {
    if (!QFile::exists(iniPath)) {
        return QByteArrayList{};
    }
    QFile file(iniPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray content = file.readAll();
    if (content.endsWith('\n')) {
        content.chop(1);
    }
    return content.isEmpty() ? QByteArrayList{} : content.split('\n');
}

struct KeyLocation {
    qsizetype sectionLine = -1;  // header of the first section of that name
    qsizetype lastLine = -1;     // last line of that section that is not blank
    qsizetype keyLine = -1;
};

KeyLocation Locate(const QByteArrayList& lines, QByteArrayView section, QByteArrayView key) {
    KeyLocation at;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const std::optional<QByteArray> name = SectionName(lines[i])) {
            if (at.sectionLine >= 0) {
                break;
            }
            if (SameName(*name, section)) {
                at.sectionLine = at.lastLine = i;
            }
            continue;
        }
        if (at.sectionLine < 0) {
            continue;
        }
        if (!lines[i].trimmed().isEmpty()) {
            at.lastLine = i;
        }
        const std::optional<QByteArray> name = KeyName(lines[i]);
        if (at.keyLine < 0 && name && SameName(*name, key)) {
            at.keyLine = i;
        }
    }
    return at;
}

std::optional<QByteArray> StoredText(const QString& iniPath, QStringView section, QStringView key) {
    const std::optional<QByteArrayList> lines = ReadLines(iniPath);
    if (!lines) {
        return std::nullopt;
    }
    const KeyLocation at = Locate(*lines, section.toUtf8(), key.toUtf8());
    if (at.keyLine < 0) {
        return std::nullopt;
    }
    return ValueOf(lines->at(at.keyLine));
}

bool HasLineBreak(const QByteArray& text) {
    return text.contains('\n') || text.contains('\r');
}

}  // namespace

QString ReadProfileString(const QString& iniPath, QStringView section, QStringView key,
                          const QString& defaultValue) {
    const std::optional<QByteArray> text = StoredText(iniPath, section, key);
    return text ? QString::fromUtf8(*text) : defaultValue;
}

int ReadProfileInt(const QString& iniPath, QStringView section, QStringView key, int defaultValue) {
    const std::optional<QByteArray> text = StoredText(iniPath, section, key);
    return text && !text->isEmpty() ? LeadingDecimal(*text) : defaultValue;
}

bool WriteProfileString(const QString& iniPath, QStringView section, QStringView key,
                        QStringView value) {
    const QByteArray sectionName = section.toUtf8();
    const QByteArray keyName = key.toUtf8();
    const QByteArray valueText = value.toUtf8();
    // A line break in any of them would let the value be read back as other
    // keys or sections (a Linux folder name may hold one).
    if (sectionName.isEmpty() || keyName.isEmpty() || sectionName.contains(']') ||
        keyName.contains('=') || HasLineBreak(sectionName) || HasLineBreak(keyName) ||
        HasLineBreak(valueText)) {
        return false;
    }
    std::optional<QByteArrayList> lines = ReadLines(iniPath);
    if (!lines) {
        return false;
    }
    const QByteArray lineEnd = !lines->isEmpty() && lines->front().endsWith('\r') ? "\r" : "";
    const QByteArray keyLine = keyName + '=' + StoredValue(valueText);
    const KeyLocation at = Locate(*lines, sectionName, keyName);
    if (at.keyLine >= 0) {
        QByteArray& line = (*lines)[at.keyLine];
        line = keyLine + (line.endsWith('\r') ? "\r" : "");
    } else if (at.sectionLine >= 0) {
        lines->insert(at.lastLine + 1, keyLine + lineEnd);
    } else {
        lines->append('[' + sectionName + ']' + lineEnd);
        lines->append(keyLine + lineEnd);
    }

    QSaveFile file(iniPath);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    for (const QByteArray& line : std::as_const(*lines)) {
        file.write(line);
        file.write("\n", 1);
    }
    return file.commit();
}

}  // namespace tavrel
