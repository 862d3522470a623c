#include "speedreadout.h"

#include <gtest/gtest.h>

#include <vector>

#include <QMouseEvent>

#include "qtsupport/qtprinters.h"
#include "qtsupport/widgetinput.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

TEST(SpeedReadoutTest, ShowsTheSpeedInThreePlacesAndBlanksWithoutAFix) {
    SpeedReadout readout;
    readout.resize(80, 40);
    EXPECT_EQ(readout.SpeedText(), u"  0"_s);
    EXPECT_EQ(readout.UnitText(), u"Km/h"_s);

    readout.SetSpeed(true, 5);
    EXPECT_EQ(readout.SpeedText(), u"  5"_s);
    const auto notGrey = [](QColor c) { return c != QColor(64, 64, 64); };
    EXPECT_GT(test::CountPixels(test::RenderWidget(readout), notGrey), 100);

    readout.SetSpeed(false, 0);
    EXPECT_EQ(test::CountPixels(test::RenderWidget(readout), notGrey), 0);

    readout.SetSpeed(true, 65535);
    EXPECT_EQ(readout.SpeedText(), u"65535"_s);
}

// The main window, which moves itself on a press of its surface and
// changes the display mode on a double click.
class Window : public QWidget {
public:
    std::vector<QEvent::Type> mouse;

protected:
    void mousePressEvent(QMouseEvent* event) override { mouse.push_back(event->type()); }
    void mouseReleaseEvent(QMouseEvent* event) override { mouse.push_back(event->type()); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { mouse.push_back(event->type()); }
};

TEST(SpeedReadoutTest, TakesTheLeftPressAndReleaseAndLeavesTheDoubleClickToTheWindow) {
    Window window;
    SpeedReadout readout(&window);
    readout.setGeometry(0, 0, 80, 40);
    const QPoint at(20, 20);

    test::Click(readout, at);
    EXPECT_TRUE(window.mouse.empty()) << "a press there must not move the window";

    test::SendMouse(readout, QEvent::MouseButtonDblClick, at);
    EXPECT_EQ(window.mouse, std::vector<QEvent::Type>{QEvent::MouseButtonDblClick});
}

}  // namespace
}  // namespace tavrel
