// The main of tests that need a running QApplication: windows, event loops,
// timers and modal boxes. CTest runs them on Qt's offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing happens at build time, where no platform is set: no application.
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
#ifdef TAVREL_WEB_VIEW_TESTS
    // Chromium's sandbox refuses to run as root, which CI is; only these tests
    // turn it off. The web view shares its graphics contexts, which Qt wants
    // to know before the application exists.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#else
    // These tests need no display. With DISPLAY set, Qt's offscreen platform
    // still opens the X server for GL, and the GL driver leaks.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        qunsetenv("DISPLAY");
    }
#endif
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
