#include "gsensorgraph.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "edges.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

namespace {

constexpr double kOneHourMs = 3600000;
constexpr double kShortestSpanMs = 1000;
constexpr int kNoDataWindowMs = 20000;

struct Axis {
    const char* name;
    QColor color;
};
const std::array<Axis, GSensorGraph::kAxisCount> kAxes = {{
    {"X", QColor(255, 255, 0)},
    {"Y", QColor(60, 255, 60)},
    {"Z", QColor(255, 60, 60)},
}};

const QColor kGridColor(102, 102, 102);
const QColor kCursorColor(0, 0, 255);
const QColor kInactiveText(160, 160, 160);

// Fonts are given by the height of their character cell, ascent and descent
// together, as the platform's font requests are.
QFont CellHeightFont(int cellHeight) {
    QFont font(u"Arial"_s);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(cellHeight);
    const int measured = QFontMetrics(font).height();
    if (measured > 0) {
        font.setPixelSize(std::max(1, cellHeight * cellHeight / measured));
    }
    return font;
}

// Text drawn from its top-left corner over a black box.
void DrawBoxedText(QPainter& painter, int x, int y, const QString& text, const QColor& color) {
    painter.setPen(color);
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), text);
}

}  // namespace

GSensorGraph::GSensorGraph(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool GSensorGraph::HasRate() const {
    return std::isfinite(m_sampleRate) && m_sampleRate > 0;
}

void GSensorGraph::SetScale(double fullScale, double range) {
    m_fullScale = fullScale == 0 ? 8.0 : fullScale;
    m_range = range == 0 ? 8.0 : range;
}

void GSensorGraph::ClearSamples() {
    m_samples.clear();
    m_positionMs = 0;
    update();
}

void GSensorGraph::RepaintNow() {
    repaint();
}

void GSensorGraph::AddSample(const GSensorSample& sample) {
    m_samples.push_back(sample);
}

void GSensorGraph::SetSampleRate(double samplesPerMs) {
    m_sampleRate = samplesPerMs;
    Recalculate();
}

void GSensorGraph::SetPosition(std::uint32_t playingMs) {
    Recalculate();
    m_positionMs = std::min(static_cast<double>(playingMs), m_durationMs);
    UpdateWindowStart();
    update();
}

void GSensorGraph::SetStopped(bool stopped) {
    m_stopped = stopped;
    update();
}

void GSensorGraph::Recalculate() {
    m_durationMs = HasRate() ? static_cast<double>(m_samples.size()) / m_sampleRate : 0;
    m_centringSpanMs = std::clamp(m_durationMs, kShortestSpanMs, kOneHourMs);
}

void GSensorGraph::UpdateWindowStart() {
    const double span = m_centringSpanMs;
    const double half = span * 0.5;
    if (half > m_positionMs || span > m_durationMs) {
        m_windowStartMs = 0;
    } else if (m_positionMs + half >= m_durationMs) {
        m_windowStartMs = m_durationMs - span;
    } else {
        m_windowStartMs = m_positionMs - half;
    }
}

int GSensorGraph::WindowLengthMs() const {
    if (!HasRate()) {
        return kNoDataWindowMs;
    }
    // Recordings longer than an hour are shown an hour at a time, the window
    // following the cursor; shorter ones are shown whole.
    const int length = static_cast<int>(std::min(m_samples.size() / m_sampleRate, kOneHourMs));
    return length == 0 ? kNoDataWindowMs : length;
}

std::optional<std::size_t> GSensorGraph::SampleIndexAt(double ms) const {
    if (!HasRate()) {
        return std::nullopt;
    }
    const double k = std::floor(ms * m_sampleRate);
    if (k < 0 || k >= static_cast<double>(m_samples.size())) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(k);
}

GSensorGraph::Plot GSensorGraph::PlotOf(const QRect& client) const {
    return {client.left() + 24, client.top() + 20, client.left() + client.width() - 2,
            client.top() + client.height() - 8};
}

QRect GSensorGraph::PlotRect() const {
    const Plot plot = PlotOf(rect());
    return {plot.left, plot.top, plot.Width(), plot.Height()};
}

QString GSensorGraph::ReadoutText(int axis) const {
    double value = 0;
    if (const auto k = SampleIndexAt(std::trunc(m_positionMs))) {
        const GSensorSample& sample = m_samples[*k];
        const std::int8_t raw[] = {sample.x, sample.y, sample.z};
        value = ValueInG(raw[axis]);
    }
    return QString::asprintf("%s: %0.4f G    ", kAxes.at(static_cast<std::size_t>(axis)).name,
                             value);
}

bool GSensorGraph::IsReadoutActive(int axis) const {
    return !m_stopped && IsAxisVisible(axis) && m_durationMs != 0;
}

void GSensorGraph::paintEvent(QPaintEvent*) {
    // The backing store already buffers the paint: drawing straight into it
    // cannot flicker.
    QPainter painter(this);
    Draw(painter);
}

void GSensorGraph::Draw(QPainter& painter) {
    painter.fillRect(rect(), Qt::black);
    const Plot plot = PlotOf(rect());
    const int windowMs = WindowLengthMs();

    painter.fillRect(plot.left, plot.Mid(), std::max(0, plot.Width()), 1, Qt::white);
    // Lines end one pixel short of their end point, as the platform's lines do.
    painter.fillRect(plot.left, plot.top, 1, std::max(0, plot.Height()), kGridColor);
    DrawTicks(painter, plot, windowMs);
    DrawCurves(painter, plot, windowMs);

    const int cursorX =
        plot.left + static_cast<int>((m_positionMs - m_windowStartMs) * plot.Width() / windowMs);
    painter.fillRect(cursorX - 1, plot.top - 4, 2, plot.Height() + 8, kCursorColor);

    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::black);
    DrawScaleLabels(painter);
    DrawReadouts(painter);
}

void GSensorGraph::DrawTicks(QPainter& painter, const Plot& plot, int windowMs) const {
    const std::int64_t ticks = windowMs / kTickIntervalMs;
    const std::int64_t width = plot.Width();
    if (ticks <= 0 || width <= 0) {
        return;
    }
    // Tick i stands at column i x width / ticks. Walking the columns rather
    // than the ticks keeps the cost to the width however long the window:
    // where several ticks share a column only the longest one shows.
    std::vector<int> lengths(static_cast<std::size_t>(width), 0);
    for (std::int64_t column = 0; column < width; ++column) {
        const std::int64_t first = (column * ticks + width - 1) / width;
        const std::int64_t last = std::min(((column + 1) * ticks + width - 1) / width, ticks) - 1;
        if (first > last) {
            continue;
        }
        const std::int64_t firstTen = (first + 9) / 10 * 10;
        const std::int64_t firstFive = first + (15 - first % 10) % 10;
        lengths[static_cast<std::size_t>(column)] = firstTen <= last    ? 6
                                                    : firstFive <= last ? 4
                                                                        : 2;
    }
    // A tick of length L covers the L rows above its line. Drawn as two-row
    // bands, one per length, over runs of neighbouring columns: a long
    // recording's dense ticks become a few rectangles.
    for (const int level : {2, 4, 6}) {
        std::int64_t column = 0;
        while (column < width) {
            if (lengths[static_cast<std::size_t>(column)] < level) {
                ++column;
                continue;
            }
            const std::int64_t runStart = column;
            while (column < width && lengths[static_cast<std::size_t>(column)] >= level) {
                ++column;
            }
            const int x = plot.left + static_cast<int>(runStart);
            const int runWidth = static_cast<int>(column - runStart);
            for (const int y : {plot.top, plot.Mid(), plot.bottom}) {
                painter.fillRect(x, y - level, runWidth, 2, kGridColor);
            }
        }
    }
}

void GSensorGraph::DrawCurves(QPainter& painter, const Plot& plot, int windowMs) const {
    if (m_stopped || !HasRate()) {
        return;
    }
    std::array<QPolygon, kAxisCount> curves;
    for (QPolygon& curve : curves) {
        curve.reserve(plot.Width() + 1);
        curve.append(QPoint(plot.left, plot.Mid()));
    }
    for (int j = 0; j < plot.Width(); ++j) {
        const double t =
            std::floor(static_cast<double>(j) * windowMs / plot.Width() + m_windowStartMs);
        const auto k = SampleIndexAt(t);
        if (!k) {
            break;
        }
        const GSensorSample& sample = m_samples[*k];
        const std::int8_t raw[] = {sample.x, sample.y, sample.z};
        for (int axis = 0; axis < kAxisCount; ++axis) {
            const double v = std::clamp(ValueInG(raw[axis]), -m_range, m_range);
            // Multiplied before dividing: with a precomputed, inexact
            // pixels-per-G a value landing exactly on a row can be truncated
            // to the row above it.
            curves[axis].append(QPoint(
                plot.left + j, static_cast<int>(plot.Mid() - v * plot.Height() / (2 * m_range))));
        }
    }
    // Each curve is drawn whole, one axis after the other, rather than all
    // three column by column: one polyline per axis instead of three lines
    // per pixel, and where curves cross, Z is on top everywhere alike.
    for (int axis = 0; axis < kAxisCount; ++axis) {
        if (IsAxisVisible(axis)) {
            painter.setPen(QPen(kAxes[axis].color, 1));
            painter.drawPolyline(curves[axis]);
        }
    }
}

void GSensorGraph::DrawScaleLabels(QPainter& painter) const {
    painter.setFont(CellHeightFont(10));
    const int a = (height() - 20) / 6;
    DrawBoxedText(painter, 4, a + 10, QString::asprintf(" %1.0fG", m_range), Qt::white);
    DrawBoxedText(painter, 4, 3 * a + 10, QString::asprintf(" %0.0fG", 0.0), Qt::white);
    DrawBoxedText(painter, 4, 5 * a + 10, QString::asprintf("-%1.0fG", m_range), Qt::white);
}

void GSensorGraph::DrawReadouts(QPainter& painter) {
    painter.setFont(CellHeightFont(13));
    const QFontMetrics metrics = painter.fontMetrics();
    int x = 40;
    for (int axis = 0; axis < kAxisCount; ++axis) {
        const QString text = ReadoutText(axis);
        const int cx = metrics.horizontalAdvance(text);
        const int cy = metrics.height();
        const bool active = IsReadoutActive(axis);
        const int shift = active ? 1 : 0;
        const QRect frame = QRect(x - 1, 1, cx + 2, cy + 2).translated(shift, shift);
        if (active) {
            Draw3dRect(painter, frame, QColor(130, 130, 130), QColor(80, 80, 80));
        } else {
            Draw3dRect(painter, frame, QColor(100, 100, 100), QColor(50, 50, 50));
        }
        DrawBoxedText(painter, x + shift, 2 + shift, text,
                      active ? kAxes[axis].color : kInactiveText);
        m_readoutRects[axis] = QRect(x + shift, 2 + shift, cx, cy);
        x += cx + 8;
    }
}

void GSensorGraph::resizeEvent(QResizeEvent* event) {
    Recalculate();
    QWidget::resizeEvent(event);
}

void GSensorGraph::mousePressEvent(QMouseEvent* event) {
    // The press only holds the mouse: the release decides.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void GSensorGraph::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        update();
    }
}

void GSensorGraph::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint at = event->position().toPoint();
    for (int axis = 0; axis < kAxisCount; ++axis) {
        if (m_readoutRects[axis].contains(at)) {
            m_axisVisible[axis] = !m_axisVisible[axis];
            break;
        }
    }
    update();
}

}  // namespace tavrel
