#include "numberedresources.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

QString PngResourcePath(int number) {
    return u":/png/%1.png"_s.arg(number);
}

QString BitmapResourcePath(int number) {
    return u":/bitmap/%1.png"_s.arg(number);
}

QImage LoadPngResource(int number) {
    return QImage(PngResourcePath(number));
}

QImage LoadBitmapResource(int number) {
    return QImage(BitmapResourcePath(number));
}

QUrl HtmlPageUrl(int number) {
    return QUrl(u"qrc:/html/%1.html"_s.arg(number));
}

}  // namespace tavrel
