#include "gdiplusbitmap.h"

#include "numberedresources.h"

namespace tavrel {

bool CGdiPlusBitmapResource::Load(int pngId) {
    m_bitmap = LoadPngResource(pngId);
    return !m_bitmap.isNull();
}

}  // namespace tavrel
