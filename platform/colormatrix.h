#pragma once

#include <array>

#include <QImage>

namespace tavrel {

// A 5 x 5 colour matrix as GDI+ takes it: rows are the input red, green,
// blue, alpha and constant terms, columns the output red, green, blue, alpha
// and constant, all on a 0..1 scale.
using ColorMatrix = std::array<std::array<float, 5>, 5>;

// Each channel times 1.05 plus 0.05 of full scale: slightly brighter.
inline constexpr ColorMatrix kHoverMatrix = {{
    {1.05f, 0, 0, 0, 0},
    {0, 1.05f, 0, 0, 0},
    {0, 0, 1.05f, 0, 0},
    {0, 0, 0, 1, 0},
    {0.05f, 0.05f, 0.05f, 0, 1},
}};

// Red, green and blue each become 0.3 R + 0.59 G + 0.11 B.
inline constexpr ColorMatrix kGreyscaleMatrix = {{
    {0.3f, 0.3f, 0.3f, 0, 0},
    {0.59f, 0.59f, 0.59f, 0, 0},
    {0.11f, 0.11f, 0.11f, 0, 0},
    {0, 0, 0, 1, 0},
    {0, 0, 0, 0, 1},
}};

// The picture with the matrix applied to every pixel's straight (not
// premultiplied) colour, each result rounded and clamped to 0..255.
QImage ApplyColorMatrix(const QImage& picture, const ColorMatrix& matrix);

}  // namespace tavrel
