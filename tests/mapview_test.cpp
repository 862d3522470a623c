#include "mapview.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "qtsupport/qtprinters.h"
#include "qtsupport/runevents.h"
#include "qtsupport/webpage.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

using test::Evaluate;
using test::RunEventsUntil;

// The page's own record of what it draws.
constexpr auto kState = R"(JSON.stringify({
    track: trackLine.getLatLngs().length,
    driven: drivenLine.getLatLngs().length,
    groups: groupLines.map(function (l) { return l.getLatLngs().length; }),
    groupIndex: groupIndex,
    marker: marker ? [marker.getLatLng().lat, marker.getLatLng().lng] : null,
    center: [map.getCenter().lat, map.getCenter().lng],
    zoom: map.getZoom()}))";

// Keeps every script the view runs in the page.
class RecordingMapView : public MapView {
public:
    QStringList batches;

protected:
    void RunInPage(const QString& script) override {
        batches.append(script);
        MapView::RunInPage(script);
    }
};

class MapViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_view.resize(640, 480);
        m_view.show();
    }

    void Load(int mapType) {
        m_view.SetMapType(mapType);
        m_view.LoadMapPage();
        ASSERT_TRUE(RunEventsUntil([&] { return m_view.IsPageLoaded(); }, 30000));
    }

    // Ends the turn, so that the calls made in it reach the page as one script.
    void EndTurn() {
        const qsizetype before = m_view.batches.size();
        ASSERT_TRUE(RunEventsUntil([&] { return m_view.batches.size() > before; }, 5000));
    }

    QJsonObject State() {
        return QJsonDocument::fromJson(
                   Evaluate(m_view.page(), QString::fromUtf8(kState)).toString().toUtf8())
            .object();
    }

    static QString Text(const QJsonValue& value) {
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    }

    RecordingMapView m_view;
};

TEST_F(MapViewTest, DrawsWhatTheCatalogSays) {
    Load(0);
    QJsonObject start = State();
    EXPECT_EQ(Text(start[u"center"_s]), u"[35.6799,139.7708]"_s);
    EXPECT_EQ(start[u"zoom"_s].toInt(), 15);

    m_view.PlotPoint({25.1, 121.1});
    m_view.PlotPoint({25.2, 121.2});
    m_view.PlotPoint({25.3, 121.3});
    m_view.PlotDrivenPoint({25.1, 121.1});
    m_view.BeginRunTrack();
    m_view.PlotRunTrackPoint({25.1, 121.1});
    m_view.PlotRunTrackPoint({25.2, 121.2});
    m_view.EndRunTrack();
    m_view.BeginRunTrack();
    m_view.PlotRunTrackPoint({25.4, 121.4});
    m_view.EndRunTrack();
    m_view.MoveMarker({25.5, 121.5});
    EndTurn();
    QJsonObject state = State();
    EXPECT_EQ(state[u"track"_s].toInt(), 3);
    EXPECT_EQ(state[u"driven"_s].toInt(), 2);
    EXPECT_EQ(Text(state[u"groups"_s]), u"[2,1]"_s);
    EXPECT_EQ(state[u"groupIndex"_s].toInt(), 2);
    EXPECT_EQ(Text(state[u"marker"_s]), u"[25.5,121.5]"_s);
    EXPECT_EQ(Text(state[u"center"_s]), u"[25.5,121.5]"_s);

    // A call of the page that the catalog never makes.
    Evaluate(m_view.page(), u"pathdrived_plot_to_n(2), 0"_s);
    m_view.ClearRunTracks();
    m_view.ClearRecordingTrack();
    EndTurn();
    state = State();
    EXPECT_EQ(state[u"driven"_s].toInt(), 2);
    EXPECT_EQ(Text(state[u"groups"_s]), u"[]"_s);
    EXPECT_EQ(state[u"groupIndex"_s].toInt(), 0);
    EXPECT_EQ(state[u"track"_s].toInt(), 0);
    m_view.ClearDrivenPath();
    EndTurn();
    EXPECT_EQ(State()[u"driven"_s].toInt(), 0);

    // Without network the built-in world map is the base under the lines.
    EXPECT_GT(Evaluate(m_view.page(),
                       u"document.querySelectorAll('.leaflet-offlineBase-pane path').length"_s)
                  .toInt(),
              100);
}

// The map's warnings, as a user's report would carry them.
QStringList g_mapWarnings;

void KeepMapWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && qstrcmp(context.category, "tavrel.map") == 0) {
        g_mapWarnings.append(message);
    }
}

TEST_F(MapViewTest, ACallThatFailsInThePageLeavesTheOthersOfItsTurnDrawnAndIsLogged) {
    Load(0);
    Evaluate(m_view.page(), u"window.path_plot = function () { throw new Error('broken'); }, 0"_s);
    g_mapWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepMapWarnings);
    m_view.PlotDrivenPoint({25.1, 121.1});
    m_view.PlotPoint({25.1, 121.1});
    m_view.PlotDrivenPoint({25.2, 121.2});
    EndTurn();
    ASSERT_EQ(m_view.batches.size(), 1);
    EXPECT_EQ(State()[u"driven"_s].toInt(), 2);
    EXPECT_TRUE(
        RunEventsUntil([] { return g_mapWarnings.filter(u"Error: broken"_s).size() == 1; }, 5000))
        << g_mapWarnings.join(u'\n').toStdString();
    qInstallMessageHandler(previous);
}

TEST_F(MapViewTest, ChinaMapPageKeepsItsOwnRules) {
    Load(1);
    QJsonObject state = State();
    EXPECT_EQ(Text(state[u"center"_s]), u"[39.915,116.404]"_s);
    EXPECT_EQ(state[u"zoom"_s].toInt(), 16);
    EXPECT_TRUE(state[u"marker"_s].isNull());  // placed by the first movpos

    m_view.PlotPoint({39.9, 116.4});
    m_view.PlotPoint({39.91, 116.41});
    m_view.BeginRunTrack();
    m_view.PlotRunTrackPoint({39.92, 116.42});
    EndTurn();
    EXPECT_EQ(Text(State()[u"groups"_s]), u"[2]"_s);  // the track's
    m_view.EndRunTrack();
    m_view.MoveMarker({39.5, 116.5});
    EndTurn();
    state = State();
    EXPECT_EQ(Text(state[u"groups"_s]), u"[1]"_s);
    EXPECT_EQ(Text(state[u"marker"_s]), u"[39.5,116.5]"_s);

    // The eraser control clears the group lines.
    EXPECT_TRUE(Evaluate(m_view.page(), u"document.querySelector('.eraser').src"_s)
                    .toString()
                    .endsWith(u"/195"_s));
    Evaluate(m_view.page(), u"document.querySelector('.eraser').click(), 0"_s);
    EXPECT_EQ(Text(State()[u"groups"_s]), u"[]"_s);
}

TEST_F(MapViewTest, OneTurnsCallsRunAsOneScriptInTheirOrder) {
    Load(0);
    m_view.batches.clear();
    for (int i = 0; i < 200; ++i) {
        m_view.PlotPoint({25 + i / 1000.0, 121});
    }
    m_view.MoveMarker({25.1, 121});
    EndTurn();
    test::RunEventsFor(100);
    ASSERT_EQ(m_view.batches.size(), 1);
    const QString& batch = m_view.batches.front();
    EXPECT_LT(batch.indexOf(u"path_plot(25.000000,121.000000)"_s),
              batch.indexOf(u"path_plot(25.199000,121.000000)"_s));
    EXPECT_LT(batch.indexOf(u"path_plot(25.199000,121.000000)"_s),
              batch.indexOf(u"movpos(25.100000, 121.000000)"_s));
    QJsonObject state = State();
    EXPECT_EQ(state[u"track"_s].toInt(), 200);
    EXPECT_EQ(Text(state[u"marker"_s]), u"[25.1,121]"_s);

    m_view.PlotPoint({25.3, 121});
    EndTurn();
    EXPECT_EQ(m_view.batches.size(), 2);
    EXPECT_EQ(State()[u"track"_s].toInt(), 201);
}

TEST_F(MapViewTest, CallsMadeBeforeThePageHasLoadedRunOnceItHas) {
    // The viewer started with a folder draws its first run while the page loads.
    m_view.ClearRunTracks();
    m_view.BeginRunTrack();
    m_view.PlotRunTrackPoint({25.1, 121.1});
    m_view.EndRunTrack();
    m_view.SetMapType(0);
    m_view.LoadMapPage();
    m_view.PlotPoint({25.1, 121.1});
    m_view.PlotPoint({25.2, 121.2});
    ASSERT_TRUE(RunEventsUntil([&] { return !m_view.batches.isEmpty(); }, 30000));
    test::RunEventsFor(100);
    EXPECT_EQ(m_view.batches.size(), 1);
    const QJsonObject state = State();
    EXPECT_EQ(Text(state[u"groups"_s]), u"[1]"_s);
    EXPECT_EQ(state[u"track"_s].toInt(), 2);
}

TEST_F(MapViewTest, ReloadingDropsTheCallsLeftForTheOldPageAndKeepsTheNewOnes) {
    Load(0);
    m_view.PlotPoint({25.1, 121.1});  // still waiting for the end of the turn
    m_view.LoadMapPage();
    m_view.PlotPoint({25.2, 121.2});
    m_view.PlotDrivenPoint({25.2, 121.2});
    ASSERT_TRUE(RunEventsUntil([&] { return !m_view.batches.isEmpty(); }, 30000));
    ASSERT_TRUE(m_view.IsPageLoaded());
    const QJsonObject state = State();
    EXPECT_EQ(state[u"track"_s].toInt(), 1);
    EXPECT_EQ(state[u"driven"_s].toInt(), 1);
    test::RunEventsFor(100);
    ASSERT_EQ(m_view.batches.size(), 1);
    EXPECT_FALSE(m_view.batches.front().contains(u"121.100000"_s));
}

TEST_F(MapViewTest, ALoadThatReplacesOneStillLoadingKeepsTheCallsMadeAfterIt) {
    // A map type applied while the page of the start is still loading.
    m_view.LoadMapPage();
    m_view.PlotPoint({25.1, 121.1});
    m_view.LoadMapPage();
    m_view.PlotPoint({25.2, 121.2});
    m_view.PlotPoint({25.3, 121.3});
    ASSERT_TRUE(RunEventsUntil([&] { return !m_view.batches.isEmpty(); }, 30000));
    EXPECT_EQ(State()[u"track"_s].toInt(), 2);
}

TEST_F(MapViewTest, APageThatDoesNotLoadIsLoggedAndTheNextLoadDrawsAgain) {
    g_mapWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepMapWarnings);
    m_view.load(QUrl(u"qrc:/html/no-such-page.html"_s));
    m_view.PlotPoint({25.1, 121.1});
    EXPECT_TRUE(
        RunEventsUntil([] { return g_mapWarnings.filter(u"did not load"_s).size() == 1; }, 30000));
    qInstallMessageHandler(previous);
    EXPECT_FALSE(m_view.IsPageLoaded());
    m_view.PlotPoint({25.1, 121.1});  // nowhere to draw it

    m_view.LoadMapPage();
    m_view.PlotPoint({25.2, 121.2});
    ASSERT_TRUE(RunEventsUntil([&] { return !m_view.batches.isEmpty(); }, 30000));
    EXPECT_EQ(State()[u"track"_s].toInt(), 1);
}

TEST(MapViewPlacement, TakesThePlaceOfItsPlaceholder) {
    QWidget window;
    window.resize(800, 600);
    auto* placeholder = new QWidget(&window);
    placeholder->setGeometry(10, 20, 300, 200);
    window.show();

    auto* view = new MapView;
    ASSERT_TRUE(view->CreateInPlace(placeholder));
    EXPECT_EQ(view->parentWidget(), &window);
    EXPECT_EQ(view->geometry(), QRect(12, 22, 296, 196));
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly), QList<QWidget*>{view});

    MapView orphan;
    QWidget parentless;
    EXPECT_FALSE(orphan.CreateInPlace(&parentless));
    EXPECT_FALSE(orphan.CreateInPlace(nullptr));
}

}  // namespace
}  // namespace tavrel
