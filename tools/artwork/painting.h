#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

// The drawing vocabulary every picture shares, so that the set reads as one:
// graphite plates lit from above, light glyphs with a soft shadow, and a few
// accent colours that mean the same everywhere.
namespace artwork {

inline const QColor kGlyph(236, 238, 242);
inline const QColor kGlyphDim(150, 152, 158);
inline const QColor kGreen(96, 214, 120);
inline const QColor kAmber(246, 184, 64);
inline const QColor kRed(232, 86, 74);
inline const QColor kBlue(88, 166, 255);
inline const QColor kGold(236, 190, 70);

// A transparent picture with antialiased drawing.
QImage Canvas(int width, int height);
void Prepare(QPainter& painter);

// The button plates: a disc for the transport row, rounded rectangles for
// the rest.
void DrawDiscPlate(QPainter& painter, const QRectF& bounds);
void DrawRoundPlate(QPainter& painter, const QRectF& bounds, qreal radius);

// Fills a glyph with a one-pixel shadow under it.
void FillGlyph(QPainter& painter, const QPainterPath& path, const QBrush& brush);
// Strokes a glyph (round caps and joins) with a shadow under it.
void StrokeGlyph(QPainter& painter, const QPainterPath& path, const QColor& color, qreal width);

// A vertical two-colour gradient over a rectangle, for glyphs and bodies.
QBrush VerticalGradient(const QRectF& over, const QColor& top, const QColor& bottom);

// Text as a path, centred on a point; bold Arial (Liberation Sans on Linux).
QPainterPath TextPath(const QString& text, qreal pixelSize, const QPointF& centre);

}  // namespace artwork
