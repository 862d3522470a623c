#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace tavrel {

// Two-pixel bevels drawn the way the platform's edges are, in colours that
// sit on the program's RGB(64, 64, 64) background.
enum class EdgeStyle {
    Sunken,  // dark above and left, light below and right
    Raised,  // light above and left, dark below and right
};

// Draws the bevel on the four sides inside the rectangle and returns what is
// left inside it.
QRect DrawEdge(QPainter& painter, const QRect& rect, EdgeStyle style);

// A one-pixel frame: top and left in one colour, bottom and right in the other.
void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight);

}  // namespace tavrel
