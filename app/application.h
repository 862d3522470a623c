#pragma once

#include <QApplication>
#include <QStringList>

namespace tavrel {

// The process: the start-up steps, then the main window's one modal run.
class Application {
public:
    Application(int& argc, char** argv);

    // Runs the start-up steps and the main window; the process's exit code.
    int Run();

    // A start-up step failed: its message under the application's name, and
    // the exit code the process ends with. The string tables' own faults are
    // shown as plain text, since the tables they would be looked up in are
    // what is broken.
    static int ReportStartupFailure(const QStringList& faults);

private:
    // Qt's platform is chosen before the QApplication exists.
    struct PlatformChoice {
        PlatformChoice();
    };

    PlatformChoice m_platform;
    QApplication m_application;
};

}  // namespace tavrel
