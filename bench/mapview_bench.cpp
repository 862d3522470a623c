// Drawing a run of 60 one-minute recordings at 5 GPS records a second (18,000
// points) on the map page through the catalog's track plotter: the time from
// the first call until the page has run them all and drawn a frame. The map
// view runs the calls of one turn as one script; the peer in the same run
// sends the same call texts one script each, as the view once did.
//     mapview_bench   (under an X server; as root set QTWEBENGINE_DISABLE_SANDBOX=1)

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "benchrun.h"
#include "mapview.h"
#include "recordingcatalog.h"
#include "trackplotter.h"
#include "trackscriptwriter.h"

namespace tavrel {
namespace {

constexpr int kRecordings = 60;
constexpr int kRepetitions = 5;

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

// Counts the scripts the view hands to its page.
class CountingMapView : public MapView {
public:
    int scriptsRun = 0;

protected:
    void RunInPage(const QString& script) override {
        ++scriptsRun;
        MapView::RunInPage(script);
    }
};

// Waits until the page has run everything sent before and drawn a frame.
void WaitForPage(MapView& map, int round) {
    const QString sentinel = QString::number(round);
    map.page()->runJavaScript(QStringLiteral("requestAnimationFrame(function () { "
                                             "window.benchRound = %1; }); 0")
                                  .arg(sentinel));
    // One question at a time: each answer arrives before the next is asked,
    // so no answer outlives the variables it writes.
    QString seen;
    while (seen != sentinel) {
        bool answered = false;
        map.page()->runJavaScript(QStringLiteral("String(window.benchRound)"),
                                  [&](const QVariant& value) {
                                      seen = value.toString();
                                      answered = true;
                                  });
        WaitFor([&] { return answered; }, 120000);
    }
}

// Collects the call texts instead of running them.
class ScriptList : public TrackScriptWriter {
public:
    std::vector<std::string> scripts;

protected:
    void WriteScript(std::string script) override { scripts.push_back(std::move(script)); }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace
}  // namespace tavrel

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const std::filesystem::path folder = tavrel::bench::WriteRun(tavrel::kRecordings);

    tavrel::CountingMapView map;
    map.resize(800, 600);
    map.show();
    map.LoadMapPage();
    if (!tavrel::WaitFor([&] { return map.IsPageLoaded(); }, 60000)) {
        std::fprintf(stderr, "the map page did not load\n");
        return 1;
    }
    tavrel::RecordingCatalog catalog;
    catalog.InitCatalog(nullptr, nullptr, nullptr);
    catalog.FillFromFolder(folder.string());
    tavrel::TrackPlotter plotter(catalog);
    plotter.BindMap(&map);

    tavrel::ScriptList list;
    tavrel::TrackPlotter listPlotter(catalog);
    listPlotter.BindMap(&list);
    listPlotter.ClearGroupTracks();
    listPlotter.PlotGroupTracks(0);

    std::vector<double> batched;
    std::vector<double> oneByOne;
    int round = 0;
    for (int i = 0; i < tavrel::kRepetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        const int before = map.scriptsRun;
        plotter.ClearGroupTracks();
        plotter.PlotGroupTracks(0);
        tavrel::WaitFor([&] { return map.scriptsRun > before; }, 60000);
        tavrel::WaitForPage(map, ++round);
        batched.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        for (const std::string& script : list.scripts) {
            map.page()->runJavaScript(QString::fromStdString(script));
        }
        tavrel::WaitForPage(map, ++round);
        oneByOne.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("%zu script calls for %d recordings\n", list.scripts.size(), tavrel::kRecordings);
    std::printf("one script per call:   median %.0f ms (best %.0f, worst %.0f)\n",
                tavrel::Median(oneByOne), *std::min_element(oneByOne.begin(), oneByOne.end()),
                *std::max_element(oneByOne.begin(), oneByOne.end()));
    std::printf("the map view's batch:  median %.0f ms (best %.0f, worst %.0f)\n",
                tavrel::Median(batched), *std::min_element(batched.begin(), batched.end()),
                *std::max_element(batched.begin(), batched.end()));
    std::printf("ratio: %.1fx\n", tavrel::Median(oneByOne) / tavrel::Median(batched));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
