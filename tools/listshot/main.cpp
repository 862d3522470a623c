// tavrel-listshot: the run list and the recording list as the viewer shows
// them, filled by the catalog from a folder, to look at them without the
// whole viewer:
//     tavrel-listshot FOLDER [SHOT.png]
// FOLDER is scanned like the viewer's OPEN (tavrel-samplegen folder makes
// one); the middle recording is current, the one after it selected and the
// first run ticked. With SHOT.png the window is saved and the tool ends.

#include <cstdio>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "recordingcatalog.h"
#include "recordinglist.h"
#include "runlist.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The sizes the main window's layout gives the lists in its smallest window,
// 800 x 560, with the right column 240 pixels wide.
constexpr QSize kRunListSize(545, 120);
constexpr QSize kRecordingListSize(240, 203);

QLabel* Caption(const QString& text) {
    auto* label = new QLabel(text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(200, 200, 204));
    label->setPalette(palette);
    return label;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        std::fprintf(stderr, "usage: tavrel-listshot FOLDER [SHOT.png]\n");
        return 2;
    }

    QWidget window;
    window.setWindowTitle(u"Tavrel lists"_s);
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(64, 64, 64));
    window.setPalette(palette);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(12, 10, 12, 12);
    auto* runs = new tavrel::RunList;
    auto* recordings = new tavrel::RecordingList;
    runs->setFixedSize(kRunListSize);
    recordings->setFixedSize(kRecordingListSize);
    layout->addWidget(Caption(u"Runs"_s));
    layout->addWidget(runs);
    layout->addWidget(Caption(u"Recordings"_s));
    layout->addWidget(recordings);
    runs->SetUp();
    recordings->SetUp();

    tavrel::RecordingCatalog catalog;
    catalog.InitCatalog(runs, recordings, nullptr);
    if (catalog.FillFromFolder(arguments[1].toStdString()) == 0 || catalog.Files().empty()) {
        std::fprintf(stderr, "tavrel-listshot: no recordings in %s\n", qPrintable(arguments[1]));
        return 1;
    }
    const int middle = static_cast<int>(catalog.Files().size()) / 2;
    catalog.SelectRecording(middle);
    if (QTreeWidgetItem* next = recordings->topLevelItem(middle + 1)) {
        recordings->setCurrentItem(next);
    }
    if (QTreeWidgetItem* first = runs->topLevelItem(0)) {
        first->setCheckState(0, Qt::Checked);
    }
    QObject::connect(runs, &tavrel::RunList::runActivated, runs,
                     [](int row) { std::printf("run activated: %d\n", row); });
    QObject::connect(recordings, &tavrel::RecordingList::recordingActivated, recordings,
                     [&catalog](int index) {
                         std::printf("recording activated: %d\n", index);
                         catalog.SelectRecording(index);
                     });

    window.show();
    if (arguments.size() == 3) {
        const QString shot = arguments[2];
        QTimer::singleShot(300, &window, [&window, shot] {
            const bool saved = window.grab().save(shot, "PNG");
            if (!saved) {
                std::fprintf(stderr, "tavrel-listshot: cannot write %s\n", qPrintable(shot));
            }
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
