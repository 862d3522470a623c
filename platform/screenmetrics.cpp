#include "screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace tavrel {

QSize FullScreenClientSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry().size() : QSize();
}

}  // namespace tavrel
