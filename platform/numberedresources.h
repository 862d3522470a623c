#pragma once

#include <QImage>
#include <QString>
#include <QUrl>

#include "pictureids.h"

namespace tavrel {

// Built-in pictures and pages are known by number, one resource folder per
// kind: PNG pictures ":/png/129.png", bitmaps ":/bitmap/158.png", HTML pages
// ":/html/143.html". The pictures a page shows sit beside it as ":/html/190",
// without a suffix, so that the page's relative reference "190" reaches them.

QString PicturePath(Picture picture);
QString BitmapPath(Bitmap bitmap);
QString PagePicturePath(PagePicture picture);

// A null image when there is no such picture.
QImage LoadPicture(Picture picture);
QImage LoadBitmap(Bitmap bitmap);

// The address a web view loads the page from.
QUrl PageUrl(Page page);

}  // namespace tavrel
