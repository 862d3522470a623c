// Drawing a run of 60 one-minute recordings at 5 GPS records a second (18,000
// points) on the map page through the catalog's map binding: the time from
// the first script call until the page has run them all and drawn a frame.
// Each call runs as its own script; the peer in the same run sends the same
// texts joined into one script, as one batch, in the same order.
//     mapview_bench   (under an X server; as root set QTWEBENGINE_DISABLE_SANDBOX=1)

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "benchrun.h"
#include "chtmlmapdlg.h"
#include "recordingcatalog.h"

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

// Waits until the page has run everything sent before and drawn a frame.
void WaitForPage(CHtmlMapDlg& map, int round) {
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

// Collects the catalog's script texts instead of running them.
class ScriptRecorder : public tavrel::MapView {
public:
    void RunScript(const std::string& script) override { scripts.push_back(script); }
    std::vector<std::string> scripts;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const std::filesystem::path folder = tavrel::bench::WriteRun(kRecordings);

    CHtmlMapDlg map;
    map.resize(800, 600);
    map.show();
    map.LoadMapPage();
    if (!WaitFor([&] { return map.IsPageLoaded(); }, 60000)) {
        std::fprintf(stderr, "the map page did not load\n");
        return 1;
    }
    tavrel::RecordingCatalog catalog;
    catalog.InitCatalog(nullptr, nullptr, nullptr, &map, nullptr);
    catalog.FillFromFolder(folder.string());

    ScriptRecorder recorder;
    tavrel::RecordingCatalog recording;
    recording.InitCatalog(nullptr, nullptr, nullptr, &recorder, nullptr);
    recording.FillFromFolder(folder.string());
    recording.ClearGroupTracks();
    recording.PlotGroupTracks(0);
    std::string batch;
    for (const std::string& script : recorder.scripts) {
        batch += script + ";\n";
    }

    std::vector<double> oneByOne;
    std::vector<double> batched;
    int round = 0;
    for (int i = 0; i < kRepetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        catalog.ClearGroupTracks();
        catalog.PlotGroupTracks(0);
        WaitForPage(map, ++round);
        oneByOne.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        map.page()->runJavaScript(QString::fromStdString(batch));
        WaitForPage(map, ++round);
        batched.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("%zu script calls for %d recordings\n", recorder.scripts.size(), kRecordings);
    std::printf("one script per call: median %.0f ms (best %.0f, worst %.0f)\n", Median(oneByOne),
                *std::min_element(oneByOne.begin(), oneByOne.end()),
                *std::max_element(oneByOne.begin(), oneByOne.end()));
    std::printf("one batched script:  median %.0f ms (best %.0f, worst %.0f)\n", Median(batched),
                *std::min_element(batched.begin(), batched.end()),
                *std::max_element(batched.begin(), batched.end()));
    std::printf("ratio: %.1fx\n", Median(oneByOne) / Median(batched));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
