// tavrel-mapshot: the map view and the about box as the viewer shows them,
// saved as pictures, to look at the pages without the whole viewer:
//     tavrel-mapshot FOLDER MAP.png [ABOUT.png]
// FOLDER is scanned like the viewer's OPEN; its first run's tracks, the first
// recording's track and the part driven in its first 40 seconds are drawn,
// while the page is still loading, as when the viewer starts with a folder.

#include <cstdio>
#include <functional>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "aboutdialog.h"
#include "mapview.h"
#include "recordingcatalog.h"
#include "trackplotter.h"

namespace {

void RunEventsFor(int durationMs) {
    QEventLoop loop;
    QTimer::singleShot(durationMs, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        RunEventsFor(20);
    }
    return done();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: tavrel-mapshot FOLDER MAP.png [ABOUT.png]\n");
        return 2;
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);

    tavrel::MapView map;
    map.resize(800, 600);
    map.show();
    map.LoadMapPage();

    tavrel::RecordingCatalog catalog;
    catalog.InitCatalog(nullptr, nullptr, nullptr);
    catalog.Telemetry().BindMap(&map);
    tavrel::TrackPlotter plotter(catalog);
    plotter.BindMap(&map);
    if (catalog.FillFromFolder(argv[1]) == 0 || catalog.Files().empty()) {
        std::fprintf(stderr, "tavrel-mapshot: no recordings in %s\n", argv[1]);
        return 1;
    }
    catalog.SelectRecording(0);
    plotter.UpdateGroupTracks(0, -1);
    plotter.LoadRecordingTelemetry(0);
    plotter.ReplotDrivenPath(40000);
    catalog.Telemetry().SyncDisplaysToTime(40000, false, true);

    if (!WaitFor([&] { return map.IsPageLoaded(); }, 30000)) {
        std::fprintf(stderr, "tavrel-mapshot: the map page did not load\n");
        return 1;
    }
    RunEventsFor(1500);  // the page draws on its next frames
    if (!map.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "tavrel-mapshot: cannot write %s\n", argv[2]);
        return 1;
    }

    if (argc == 4) {
        tavrel::AboutDialog about;
        about.show();
        RunEventsFor(2000);
        if (!about.grab().save(QString::fromLocal8Bit(argv[3]))) {
            std::fprintf(stderr, "tavrel-mapshot: cannot write %s\n", argv[3]);
            return 1;
        }
    }
    return 0;
}
