#pragma once

#include <QImage>
#include <QString>
#include <QUrl>

namespace tavrel {

// Built-in pictures and pages are known by number, one resource folder per
// kind: PNG pictures ":/png/129.png", bitmaps ":/bitmap/158.png", HTML pages
// ":/html/143.html". The pictures a page shows sit beside it as ":/html/190",
// without a suffix, so that the page's relative reference "190" reaches them.

QString PngResourcePath(int number);
QString BitmapResourcePath(int number);

// A null image when there is no such picture.
QImage LoadPngResource(int number);
QImage LoadBitmapResource(int number);

// The address a web view loads the page from.
QUrl HtmlPageUrl(int number);

}  // namespace tavrel
