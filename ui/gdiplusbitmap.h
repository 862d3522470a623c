#pragma once

#include <QImage>

namespace tavrel {

// One picture, or none.
class CGdiPlusBitmap {
public:
    bool IsNull() const { return m_bitmap.isNull(); }
    const QImage& Image() const { return m_bitmap; }

protected:
    QImage m_bitmap;
};

// A picture read from the program's PNG resources by number.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    CGdiPlusBitmapResource() = default;
    explicit CGdiPlusBitmapResource(int pngId) { Load(pngId); }

    // Replaces the picture; false (and no picture) when the resource is
    // missing or cannot be decoded.
    bool Load(int pngId);
};

}  // namespace tavrel
