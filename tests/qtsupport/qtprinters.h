#pragma once

#include <ostream>

#include <QRect>
#include <QString>

// Readable GoogleTest failure messages for Qt values (found through ADL, so
// they live beside the Qt types, in the global namespace).

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QRect& rect, std::ostream* out) {
    *out << "QRect(" << rect.x() << ", " << rect.y() << ", " << rect.width() << " x "
         << rect.height() << ")";
}
