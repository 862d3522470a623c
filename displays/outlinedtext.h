#pragma once

#include <QString>

class QPainter;

namespace tavrel {

// The large read-outs are drawn as glyph outlines: a light rim, a soft
// translucent halo four pixels wide and two stacked vertical gradients. The
// gradients are fixed to the surface, not to the text, and repeat down it, so
// a glyph's colours depend on the row it stands on. Each leaves the
// painter's antialiasing and smooth-scaling hints on.

// The model name in the top bar, at (50, 8).
void DrawTitleText(const QString& text, QPainter& painter, int emSize);
// The speed and its unit, with (x, y) the top-left of the text.
void DrawSpeedText(const QString& text, QPainter& painter, int x, int y, int emSize);
// The large counter on the video surface, at x = 10.
void DrawOverlayText(const QString& text, QPainter& painter, int y, int emSize);

}  // namespace tavrel
