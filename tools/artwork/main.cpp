// Draws the program's pictures into a folder, named by their resource number
// the way the resources carry them: png/N.png, bitmap/N.png and html/N (the
// pictures the built-in pages show, without a suffix).

#include <cstdio>
#include <functional>
#include <vector>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include "artwork.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct Picture {
    QString path;
    std::function<QImage()> draw;
};

std::vector<Picture> AllPictures() {
    using namespace artwork;
    std::vector<Picture> pictures = {
        {u"png/128.png"_s, ApplicationIcon},
        {u"png/129.png"_s, Play},
        {u"png/132.png"_s, Pause},
        {u"png/133.png"_s, Stop},
        {u"png/136.png"_s, Faster},
        {u"png/137.png"_s, Slower},
        {u"png/139.png"_s, Open},
        {u"png/140.png"_s, Snapshot},
        {u"png/141.png"_s, SaveAs},
        {u"png/142.png"_s, Delete},
        {u"png/143.png"_s, AutoPlayNextOn},
        {u"png/144.png"_s, Rotate},
        {u"png/145.png"_s, Kml},
        {u"png/146.png"_s, Map},
        {u"png/147.png"_s, GSensor},
        {u"png/148.png"_s, Unlock},
        {u"png/150.png"_s, GpsIndicator},
        {u"png/151.png"_s, Close},
        {u"png/152.png"_s, Maximise},
        {u"png/153.png"_s, Minimise},
        {u"png/154.png"_s, About},
        {u"png/155.png"_s, Muted},
        {u"png/156.png"_s, Volume},
        {u"png/157.png"_s, Logo},
        {u"png/176.png"_s, AutoPlayNextOff},
        {u"png/187.png"_s, MediumWindow},
        {u"png/188.png"_s, LargeWindow},
        {u"png/1045.png"_s, SmallWindow},
        {u"bitmap/158.png"_s, LockCells},
        {u"bitmap/161.png"_s, CheckMark},
        {u"bitmap/189.png"_s, ProgressTile},
        {u"html/190"_s, MapMarker},
        {u"html/195"_s, Eraser},
        {u"html/200"_s, AboutLogo},
    };
    for (int k = 0; k < 8; ++k) {
        pictures.push_back({u"png/%1.png"_s.arg(167 + k), [k] { return Compass(k); }});
    }
    return pictures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrel-artwork OUTDIR\n");
        return 2;
    }
    // Text glyphs need the font system, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const Picture& picture : AllPictures()) {
        const QString path = out.filePath(picture.path);
        QDir().mkpath(QFileInfo(path).path());
        if (!picture.draw().save(path, "PNG")) {
            std::fprintf(stderr, "tavrel-artwork: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
