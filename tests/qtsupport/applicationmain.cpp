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
    // The web view shares its graphics contexts; Qt wants to know before the
    // application exists. Only the web view's tests ask for it: on the
    // offscreen platform it leaks a context.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
