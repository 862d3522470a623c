#include "application.h"

#include <QImage>
#include <QPixmap>
#include <QTimer>

#include "mainwindow.h"
#include "messagebox.h"
#include "numberedresources.h"
#include "pictureids.h"
#include "stringmodule.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {

namespace {

constexpr int kStartupFailedExitCode = 1;
// A hidden aid for developers: TAVREL_SCREENSHOT=file.png grabs the window
// into the file once it has settled, then closes it.
constexpr char kScreenshotVariable[] = "TAVREL_SCREENSHOT";
constexpr int kScreenshotDelayMs = 3000;

}  // namespace

Application::PlatformChoice::PlatformChoice() {
    // The engine draws into an X window: X11, or XWayland on Wayland desktops.
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The web views of the map and the about box share graphics contexts,
    // which Qt must know before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // Only the video surface needs a native window; its siblings stay
    // ordinary widgets.
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
}

Application::Application(int& argc, char** argv) : m_application(argc, argv) {
    QCoreApplication::setApplicationName(u"Tavrel"_s);
    QApplication::setWindowIcon(QPixmap::fromImage(LoadPicture(Picture::ApplicationIcon)));
}

int Application::ReportStartupFailure(const QStringList& faults) {
    ShowMessageBox(nullptr, {faults.join(u'\n'), QCoreApplication::applicationName(),
                             MessageBoxButtons::Ok, MessageBoxIcon::None});
    return kStartupFailedExitCode;
}

int Application::Run() {
    // The toolkit's own services need no start-up on Linux; the program's
    // string tables are the one step that can fail.
    const QStringList faults = CheckProgramStrings();
    if (!faults.isEmpty()) {
        return ReportStartupFailure(faults);
    }

    MainWindow window;
    const QString screenshot = qEnvironmentVariable(kScreenshotVariable);
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(kScreenshotDelayMs, &window, [&window, screenshot] {
            window.grab().save(screenshot);
            window.close();
        });
    }
    window.exec();
    return 0;
}

}  // namespace tavrel
