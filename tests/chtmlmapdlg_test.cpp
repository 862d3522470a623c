#include "chtmlmapdlg.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "controlid.h"
#include "qtsupport/qtprinters.h"
#include "qtsupport/runevents.h"
#include "qtsupport/webpage.h"

namespace {

using tavrel::test::Evaluate;

// The page's own record of what it draws.
constexpr auto kState = R"(JSON.stringify({
    track: trackLine.getLatLngs().length,
    driven: drivenLine.getLatLngs().length,
    groups: groupLines.map(function (l) { return l.getLatLngs().length; }),
    groupIndex: groupIndex,
    marker: marker ? [marker.getLatLng().lat, marker.getLatLng().lng] : null,
    center: [map.getCenter().lat, map.getCenter().lng],
    zoom: map.getZoom()}))";

class MapView : public ::testing::Test {
protected:
    void Load(int mapType) {
        m_view.resize(640, 480);
        m_view.show();
        m_view.SetMapType(mapType);
        m_view.LoadMapPage();
        ASSERT_TRUE(tavrel::test::RunEventsUntil([&] { return m_view.IsPageLoaded(); }, 30000));
    }

    QJsonObject State() {
        return QJsonDocument::fromJson(
                   Evaluate(m_view.page(), QString::fromUtf8(kState)).toString().toUtf8())
            .object();
    }

    static QString Text(const QJsonValue& value) {
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    }

    CHtmlMapDlg m_view;
};

TEST_F(MapView, DrawsWhatTheScriptCallsSay) {
    Load(0);
    QJsonObject start = State();
    EXPECT_EQ(Text(start[QStringLiteral("center")]), QStringLiteral("[35.6799,139.7708]"));
    EXPECT_EQ(start[QStringLiteral("zoom")].toInt(), 15);

    for (const char* call :
         {"path_plot(25.1,121.1)", "path_plot(25.2,121.2)", "path_plot(25.3,121.3)",
          "pathdrived_plot(25.1,121.1)", "draw_file_path_begin()",
          "draw_file_path_plot(25.1,121.1)", "draw_file_path_plot(25.2,121.2)",
          "draw_file_path_end()",
          "no_such_function()",  // swallowed; the calls after it still run
          "draw_file_path_begin()", "draw_file_path_plot(25.4,121.4)", "draw_file_path_end()"}) {
        m_view.RunScript(call);
    }
    m_view.MovePosition(25.3, 121.3, 90);
    QJsonObject state = State();
    EXPECT_EQ(state[QStringLiteral("track")].toInt(), 3);
    EXPECT_EQ(state[QStringLiteral("driven")].toInt(), 2);
    EXPECT_EQ(Text(state[QStringLiteral("groups")]), QStringLiteral("[2,1]"));
    EXPECT_EQ(state[QStringLiteral("groupIndex")].toInt(), 2);
    EXPECT_EQ(Text(state[QStringLiteral("marker")]), QStringLiteral("[25.5,121.5]"));
    EXPECT_EQ(Text(state[QStringLiteral("center")]), QStringLiteral("[25.5,121.5]"));

    m_view.RunScript("pathdrived_plot_to_n(2)");
    m_view.RunScript("draw_file_path_clear_all()");
    m_view.RunScript("path_delete()");
    state = State();
    EXPECT_EQ(state[QStringLiteral("driven")].toInt(), 2);
    EXPECT_EQ(Text(state[QStringLiteral("groups")]), QStringLiteral("[]"));
    EXPECT_EQ(state[QStringLiteral("groupIndex")].toInt(), 0);
    EXPECT_EQ(state[QStringLiteral("track")].toInt(), 0);

    // Without network the built-in world map is the base under the lines.
    EXPECT_GT(Evaluate(m_view.page(),
                       QStringLiteral("document.querySelectorAll('.leaflet-offlineBase-pane path')"
                                      ".length"))
                  .toInt(),
              100);
}

TEST_F(MapView, ChinaMapPageKeepsItsOwnRules) {
    Load(1);
    QJsonObject state = State();
    EXPECT_EQ(Text(state[QStringLiteral("center")]), QStringLiteral("[39.915,116.404]"));
    EXPECT_EQ(state[QStringLiteral("zoom")].toInt(), 16);
    EXPECT_TRUE(state[QStringLiteral("marker")].isNull());  // placed by the first movpos

    m_view.RunScript("path_plot(39.9,116.4)");
    m_view.RunScript("path_plot(39.91,116.41)");
    m_view.RunScript("draw_file_path_begin()");
    m_view.RunScript("draw_file_path_plot(39.92,116.42)");
    EXPECT_EQ(Text(State()[QStringLiteral("groups")]), QStringLiteral("[2]"));  // the track's
    m_view.RunScript("draw_file_path_end()");
    m_view.MovePosition(39.3, 116.3, 0);
    state = State();
    EXPECT_EQ(Text(state[QStringLiteral("groups")]), QStringLiteral("[1]"));
    EXPECT_EQ(Text(state[QStringLiteral("marker")]), QStringLiteral("[39.5,116.5]"));

    // The eraser control clears the group lines.
    EXPECT_TRUE(Evaluate(m_view.page(), QStringLiteral("document.querySelector('.eraser').src"))
                    .toString()
                    .endsWith(QStringLiteral("/195")));
    Evaluate(m_view.page(), QStringLiteral("document.querySelector('.eraser').click(), 0"));
    EXPECT_EQ(Text(State()[QStringLiteral("groups")]), QStringLiteral("[]"));
}

TEST_F(MapView, ScriptsBeforeTheLoadAreDropped) {
    m_view.RunScript("window.touched = 1");
    m_view.RunScript("path_plot(25.1,121.1)");
    Load(0);
    EXPECT_EQ(Evaluate(m_view.page(), QStringLiteral("typeof window.touched")).toString(),
              QStringLiteral("undefined"));
    EXPECT_EQ(State()[QStringLiteral("track")].toInt(), 0);
}

TEST(MapViewPlacement, TakesThePlaceOfItsPlaceholder) {
    QWidget window;
    window.resize(800, 600);
    auto* placeholder = new QWidget(&window);
    tavrel::SetControlId(placeholder, CHtmlMapDlg::kPlaceholderId);
    placeholder->setGeometry(10, 20, 300, 200);
    window.show();

    auto* view = new CHtmlMapDlg;
    ASSERT_TRUE(view->CreateInPlace(&window));
    EXPECT_EQ(view->parentWidget(), &window);
    EXPECT_EQ(view->geometry(), QRect(12, 22, 296, 196));
    EXPECT_EQ(tavrel::FindControl(&window, CHtmlMapDlg::kPlaceholderId), view);
    EXPECT_EQ(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 1);

    QWidget bare;
    CHtmlMapDlg orphan;
    EXPECT_FALSE(orphan.CreateInPlace(&bare));
}

}  // namespace
