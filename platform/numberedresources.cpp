#include "numberedresources.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

QString PicturePath(Picture picture) {
    return u":/png/%1.png"_s.arg(Number(picture));
}

QString BitmapPath(Bitmap bitmap) {
    return u":/bitmap/%1.png"_s.arg(Number(bitmap));
}

QString PagePicturePath(PagePicture picture) {
    return u":/html/%1"_s.arg(Number(picture));
}

QImage LoadPicture(Picture picture) {
    return QImage(PicturePath(picture));
}

QImage LoadBitmap(Bitmap bitmap) {
    return QImage(BitmapPath(bitmap));
}

QUrl PageUrl(Page page) {
    return QUrl(u"qrc:/html/%1.html"_s.arg(Number(page)));
}

}  // namespace tavrel
