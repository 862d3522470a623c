#include "outlinedtext.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

namespace {

// Longer texts are cut: every read-out is a few characters long.
constexpr qsizetype kMaxTextLength = 127;
constexpr QRgb kRimColor = 0x9BD7D7D7;
constexpr qreal kRimWidth = 3.0;
constexpr int kHaloStrokes = 8;

struct OutlineStyle {
    QString family;
    QRgb halo;
    QRgb baseFrom;
    QRgb baseTo;
    QRgb highlightFrom;
    QRgb highlightTo;
    int highlightEndY;
};

// "Arial Black" has no metric twin among the free fonts: without it the
// title uses Arial at its heaviest weight rather than a path with no glyphs,
// which would leave the top bar without its name.
QFont StyleFont(const QString& family, int emSize) {
    QFont font(family);
    if (family == u"Arial Black"_s && !QFontDatabase::hasFamily(family)) {
        font = QFont(u"Arial"_s);
        font.setWeight(QFont::Black);
    }
    font.setPixelSize(std::max(1, emSize));
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

void DrawOutlinedText(const OutlineStyle& style, const QString& text, QPainter& painter, int x,
                      int y, int emSize) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const QFont font = StyleFont(style.family, emSize);
    const QFontMetricsF metrics(font);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    // The layout box's top-left is (x, y); each line starts one line lower.
    const QStringList lines = text.left(kMaxTextLength).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        path.addText(QPointF(x, y + metrics.ascent() + i * metrics.lineSpacing()), font, lines[i]);
    }
    if (path.isEmpty()) {
        return;
    }

    QPen rim(QColor::fromRgba(kRimColor), kRimWidth);
    rim.setJoinStyle(Qt::MiterJoin);
    painter.strokePath(path, rim);

    // The ramps blend colour and alpha each on their own, not premultiplied:
    // the title's white then dims to grey as it fades (128 rather than 240
    // at mid-ramp) and lets the blue show, and the speed's amber deepens to
    // red, instead of both staying washed out to the bottom of the glyphs.
    QLinearGradient base(0, 0, 0, 90);
    base.setColorAt(0, QColor::fromRgba(style.baseFrom));
    base.setColorAt(1, QColor::fromRgba(style.baseTo));
    base.setSpread(QGradient::RepeatSpread);
    base.setInterpolationMode(QGradient::ComponentInterpolation);
    QLinearGradient highlight(0, 10, 0, style.highlightEndY);
    highlight.setColorAt(0, QColor::fromRgba(style.highlightFrom));
    highlight.setColorAt(1, QColor::fromRgba(style.highlightTo));
    highlight.setSpread(QGradient::RepeatSpread);
    highlight.setInterpolationMode(QGradient::ComponentInterpolation);

    // Eight overlapping translucent strokes: darkest at the glyph's edge,
    // fading out four pixels beyond it.
    for (int width = 1; width <= kHaloStrokes; ++width) {
        QPen halo(QColor::fromRgba(style.halo), width);
        halo.setJoinStyle(Qt::RoundJoin);
        painter.strokePath(path, halo);
    }
    painter.fillPath(path, base);
    painter.fillPath(path, highlight);
}

}  // namespace

void DrawTitleText(const QString& text, QPainter& painter, int emSize) {
    static const OutlineStyle kTitle{u"Arial Black"_s, 0x3E000202, 0xC80000F0, 0xFF1E78C3,
                                     0xFFFFFFFF,       0x0F010101, 60};
    DrawOutlinedText(kTitle, text, painter, 50, 8, emSize);
}

void DrawSpeedText(const QString& text, QPainter& painter, int x, int y, int emSize) {
    static const OutlineStyle kSpeed{u"Arial"_s, 0x50A05002, 0xC8BEDC18, 0xFFC37800,
                                     0xFFFFBC00, 0x96FF0101, 40};
    DrawOutlinedText(kSpeed, text, painter, x, y, emSize);
}

void DrawOverlayText(const QString& text, QPainter& painter, int y, int emSize) {
    static const OutlineStyle kOverlay{u"Arial"_s, 0x500A96DC, 0xC81478F0, 0xFF1478F0,
                                       0xFF50BCFA, 0x9650509B, 120};
    DrawOutlinedText(kOverlay, text, painter, 10, y, emSize);
}

}  // namespace tavrel
