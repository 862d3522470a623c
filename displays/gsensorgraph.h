#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include <QRect>
#include <QString>
#include <QWidget>

#include "catalogviews.h"

namespace tavrel {

// The strip under the video that plots the three acceleration axes of the
// whole recording, with a cursor at the playing position and a read-out per
// axis along the top; clicking a read-out hides or shows its curve.
class GSensorGraph : public QWidget, public GSensorGraphView {
public:
    static constexpr int kAxisCount = 3;

    explicit GSensorGraph(QWidget* parent = nullptr);

    // The G a raw value of 128 stands for, and the +/- range shown; 0 in
    // either becomes 8.
    void SetScale(double fullScale, double range) override;
    // The duration keeps its value until the next recalculation.
    void ClearSamples() override;
    void RepaintNow() override;
    void AddSample(const GSensorSample& sample) override;
    // A rate that is not a positive finite number means there is no data.
    void SetSampleRate(double samplesPerMs) override;
    // Clamped to the duration. Unsigned, as the playing time it comes from
    // is: there is no negative position to bring up to 0.
    void SetPosition(std::uint32_t playingMs) override;
    // No curves and grey read-outs while stopped.
    void SetStopped(bool stopped) override;

    double DurationMs() const { return m_durationMs; }
    double PositionMs() const { return m_positionMs; }
    double WindowStartMs() const { return m_windowStartMs; }
    bool IsStopped() const { return m_stopped; }
    bool IsAxisVisible(int axis) const { return m_axisVisible.at(static_cast<std::size_t>(axis)); }
    // The plot area; its right and bottom edges are excluded.
    QRect PlotRect() const;
    // Where the read-out was last drawn: the area a click toggles the axis in.
    QRect ReadoutRect(int axis) const { return m_readoutRects.at(static_cast<std::size_t>(axis)); }
    // The read-out's text at the playing position.
    QString ReadoutText(int axis) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Plot {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        int Width() const { return right - left; }
        int Height() const { return bottom - top; }
        int Mid() const { return top + Height() / 2; }
    };

    bool HasRate() const;
    void Recalculate();
    void UpdateWindowStart();
    Plot PlotOf(const QRect& client) const;
    int WindowLengthMs() const;
    std::optional<std::size_t> SampleIndexAt(double ms) const;
    double ValueInG(std::int8_t raw) const { return raw * m_fullScale / 128.0; }
    bool IsReadoutActive(int axis) const;

    void Draw(QPainter& painter);
    void DrawTicks(QPainter& painter, const Plot& plot, int windowMs) const;
    void DrawCurves(QPainter& painter, const Plot& plot, int windowMs) const;
    void DrawScaleLabels(QPainter& painter) const;
    void DrawReadouts(QPainter& painter);

    std::vector<GSensorSample> m_samples;
    double m_sampleRate = 0.016;  // samples per millisecond
    double m_fullScale = 2.0;
    double m_range = 5.0;
    double m_durationMs = 0;
    double m_centringSpanMs = 1000;
    double m_windowStartMs = 0;
    double m_positionMs = 0;
    std::array<bool, kAxisCount> m_axisVisible{true, true, true};
    bool m_stopped = false;
    std::array<QRect, kAxisCount> m_readoutRects;
    static constexpr int kTickIntervalMs = 200;
};

}  // namespace tavrel
