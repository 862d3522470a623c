#include "gsensorgraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>

#include "qtsupport/qtprinters.h"
#include "qtsupport/widgetinput.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

const QColor kYellow(255, 255, 0);
const QColor kGreen(60, 255, 60);
const QColor kRed(255, 60, 60);
const QColor kTickGrey(102, 102, 102);
const QColor kCursorBlue(0, 0, 255);
const QColor kInactive(160, 160, 160);

int Count(const QImage& image, const QRect& area, const QColor& color) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixelColor(x, y) == color ? 1 : 0;
        }
    }
    return count;
}

// Text is drawn antialiased on black: its pixels are the colour scaled down.
int CountTinted(const QImage& image, const QRect& area, const QColor& color) {
    const double top = std::max({color.red(), color.green(), color.blue()});
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const double peak = std::max({pixel.red(), pixel.green(), pixel.blue()});
            if (peak < 48) {
                continue;
            }
            count += std::abs(pixel.red() / peak - color.red() / top) < 0.12 &&
                             std::abs(pixel.green() / peak - color.green() / top) < 0.12 &&
                             std::abs(pixel.blue() / peak - color.blue() / top) < 0.12
                         ? 1
                         : 0;
        }
    }
    return count;
}

std::set<int> ColumnsOf(const QImage& image, int row, const QColor& color) {
    std::set<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, row) == color) {
            columns.insert(x);
        }
    }
    return columns;
}

// A plot 600 pixels wide and 132 high: left 24, right 624, top 20, bottom 152.
class GSensorGraphTest : public ::testing::Test {
protected:
    void SetUp() override { graph.resize(626, 160); }

    // As the catalog loads a recording.
    void Load(int count, GSensorSample sample, double samplesPerMs, double fullScale = 2.0) {
        graph.ClearSamples();
        graph.SetScale(fullScale, 5.0);
        graph.ClearSamples();
        for (int i = 0; i < count; ++i) {
            graph.AddSample(sample);
        }
        graph.SetSampleRate(samplesPerMs);
    }

    QImage Shown() { return test::RenderWidget(graph); }

    GSensorGraph graph;
    const int left = 24;
    const int right = 624;
    const int top = 20;
    const int bottom = 152;
    const int mid = 86;
};

TEST_F(GSensorGraphTest, TenMinutesOfSamplesSpanTheWholePlot) {
    Load(600, {0, 0, 0}, 0.01);
    ASSERT_EQ(graph.PlotRect(), QRect(left, top, 600, 132));
    EXPECT_EQ(graph.DurationMs(), 60000);

    const struct {
        std::uint32_t position;
        double clamped;
        int cursorX;
    } cases[] = {{0, 0, left},
                 {30000, 30000, left + 300},
                 {60000, 60000, right},
                 {70000, 60000, right},
                 {std::numeric_limits<std::uint32_t>::max(), 60000, right}};
    for (const auto& c : cases) {
        graph.SetPosition(c.position);
        EXPECT_EQ(graph.PositionMs(), c.clamped);
        EXPECT_EQ(graph.WindowStartMs(), 0);
        // The two-pixel cursor, below the plot where nothing else is drawn.
        EXPECT_EQ(ColumnsOf(Shown(), bottom + 2, kCursorBlue),
                  (std::set<int>{c.cursorX - 1, c.cursorX}))
            << c.position;
    }

    // 300 ticks two pixels apart (the last one just left of the cursor):
    // long every tenth, medium at each fifth between.
    const QImage shown = Shown();
    EXPECT_EQ(Count(shown, QRect(left, bottom - 1, 600, 1), kTickGrey), 300);
    EXPECT_EQ(Count(shown, QRect(left, bottom - 3, 600, 1), kTickGrey), 60);
    EXPECT_EQ(Count(shown, QRect(left, bottom - 5, 600, 1), kTickGrey), 30);
    EXPECT_EQ(shown.pixelColor(left + 2, bottom), QColor(Qt::black)) << "ticks end above the line";
    EXPECT_EQ(Count(shown, QRect(left + 1, mid, 598, 1), kYellow), 0) << "Z is drawn last";
    EXPECT_EQ(Count(shown, QRect(left + 1, mid, 598, 1), kRed), 598);
}

TEST_F(GSensorGraphTest, ARawValueIsScaledByTheFullScaleAndDrawnWithinTheRange) {
    const struct {
        double fullScale;
        std::int8_t raw;
        int height;
        int curveY;
        const char* readout;
    } cases[] = {
        {2.0, 127, 160, 59, "X: 1.9844 G    "},   // 1.984375 G: 86 - 1.984375 x 132 / 10
        {8.0, 127, 160, top, "X: 7.9375 G    "},  // beyond +5 G: drawn at the edge, read as it is
        {0.0, 127, 160, top, "X: 7.9375 G    "},  // no full scale counts as 8
        // 108 - 3.125 x 176 / 10 is 53 exactly; 3.125 x (176 / 10) rounds to just below 53.
        {4.0, 100, 204, 53, "X: 3.1250 G    "},
    };
    for (const auto& c : cases) {
        graph.resize(626, c.height);
        Load(600, {c.raw, 0, 0}, 0.01, c.fullScale);
        graph.SetPosition(10000);
        EXPECT_EQ(graph.ReadoutText(0), QString::fromLatin1(c.readout));
        const QImage shown = Shown();
        EXPECT_EQ(shown.pixelColor(left + 300, c.curveY), kYellow) << c.fullScale;
        EXPECT_EQ(Count(shown, QRect(left + 300, top, 1, graph.PlotRect().height()), kYellow), 1)
            << c.fullScale;
    }
}

TEST_F(GSensorGraphTest, ClickingAReadoutHidesAndShowsItsCurveEvenWhileStopped) {
    Load(600, {20, 40, -30}, 0.01);
    graph.SetPosition(1000);
    const QRect plot(left + 1, top, 598, 132);
    QImage shown = Shown();
    ASSERT_GT(Count(shown, plot, kGreen), 500);
    const QRect readout = graph.ReadoutRect(1);
    ASSERT_GT(CountTinted(shown, readout, kGreen), 0);

    test::Click(graph, readout.center());
    EXPECT_FALSE(graph.IsAxisVisible(1));
    shown = Shown();
    EXPECT_EQ(Count(shown, plot, kGreen), 0);
    EXPECT_EQ(CountTinted(shown, graph.ReadoutRect(1), kGreen), 0);
    EXPECT_GT(CountTinted(shown, graph.ReadoutRect(1), kInactive), 0);
    EXPECT_GT(Count(shown, plot, kYellow), 500) << "the other curves stay";

    graph.SetStopped(true);
    shown = Shown();
    EXPECT_EQ(Count(shown, plot, kYellow) + Count(shown, plot, kRed), 0);
    EXPECT_EQ(CountTinted(shown, graph.ReadoutRect(0), kYellow), 0);
    test::Click(graph, graph.ReadoutRect(1).center());
    EXPECT_TRUE(graph.IsAxisVisible(1));
    EXPECT_EQ(Count(Shown(), plot, kGreen), 0);

    graph.SetStopped(false);
    EXPECT_GT(Count(Shown(), plot, kGreen), 500);
    test::Click(graph, QPoint(300, 100));
    EXPECT_TRUE(graph.IsAxisVisible(0) && graph.IsAxisVisible(1) && graph.IsAxisVisible(2));
}

TEST_F(GSensorGraphTest, ARateThatIsNotAPositiveFiniteNumberMeansNoData) {
    for (const double rate : {0.0, -0.01, std::nan(""), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()}) {
        Load(600, {20, 40, -30}, rate);
        graph.SetPosition(5000);
        EXPECT_EQ(graph.DurationMs(), 0) << rate;
        EXPECT_EQ(graph.PositionMs(), 0) << rate;
        EXPECT_EQ(graph.ReadoutText(1), u"Y: 0.0000 G    "_s);
        const QImage shown = Shown();
        const QRect plot(left + 1, top, 598, 132);
        EXPECT_EQ(
            Count(shown, plot, kYellow) + Count(shown, plot, kGreen) + Count(shown, plot, kRed), 0)
            << rate;
        EXPECT_GT(CountTinted(shown, graph.ReadoutRect(1), kInactive), 0) << rate;
    }
}

TEST_F(GSensorGraphTest, ClearedSamplesKeepThePreviousDurationUntilTheNextRecalculation) {
    EXPECT_EQ(graph.ReadoutText(0), u"X: 0.0000 G    "_s);
    QImage shown = Shown();
    EXPECT_GT(CountTinted(shown, graph.ReadoutRect(0), kInactive), 0) << "grey with no samples yet";

    Load(600, {20, 40, -30}, 0.01);
    graph.SetPosition(30000);
    graph.ClearSamples();
    EXPECT_EQ(graph.PositionMs(), 0);
    EXPECT_EQ(graph.DurationMs(), 60000);
    EXPECT_EQ(graph.ReadoutText(2), u"Z: 0.0000 G    "_s);
    shown = Shown();
    EXPECT_GT(CountTinted(shown, graph.ReadoutRect(2), kRed), 0);
}

TEST_F(GSensorGraphTest, ARecordingLongerThanAnHourIsShownAnHourAtATimeAroundTheCursor) {
    Load(72000, {20, 40, -30}, 0.01);  // two hours
    const struct {
        std::uint32_t position;
        double windowStart;
        int cursorX;
    } cases[] = {{600000, 0, left + 100},
                 {5400000, 3600000, left + 300},
                 {3000000, 1200000, left + 300},
                 {7200000, 3600000, right}};
    for (const auto& c : cases) {
        graph.SetPosition(c.position);
        EXPECT_EQ(graph.WindowStartMs(), c.windowStart) << c.position;
        const QImage shown = Shown();
        EXPECT_EQ(ColumnsOf(shown, bottom + 2, kCursorBlue),
                  (std::set<int>{c.cursorX - 1, c.cursorX}))
            << c.position;
        EXPECT_GT(Count(shown, QRect(left + 1, top, 598, 132), kGreen), 500) << c.position;
    }
}

}  // namespace
}  // namespace tavrel
