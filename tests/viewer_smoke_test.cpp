// The program people start, as a whole, on the X server the test command
// provides: it passes its start-up checks, opens its window (at the default
// place, without a settings file), paints it, and closes through the window's
// own closing, which writes the window's place into a new settings file. The screenshot variable is
// the program's developer aid for looking at the window; here it also closes it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

#include "testsupport.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Viewer, StartsShowsItsWindowAndClosesCleanly) {
    const fs::path folder = test::FreshFolder("viewer");
    const fs::path screenshot = folder / "window.png";

    QProcess viewer;
    viewer.setWorkingDirectory(QString::fromStdString(folder.string()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TAVREL_SCREENSHOT"),
                       QString::fromStdString(screenshot.string()));
    // Chromium refuses to run as root, which CI is, with its sandbox.
    environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    viewer.setProcessEnvironment(environment);
    viewer.setProcessChannelMode(QProcess::ForwardedChannels);
    viewer.start(QStringLiteral(TAVREL_VIEWER), {});
    ASSERT_TRUE(viewer.waitForStarted());
    ASSERT_TRUE(viewer.waitForFinished(60000));
    EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(viewer.exitCode(), 0);

    const QImage window(QString::fromStdString(screenshot.string()));
    EXPECT_EQ(window.size(), QSize(800, 560));
    // The top bar's background, right of the title.
    EXPECT_EQ(window.pixelColor(400, 40), QColor(64, 64, 64));

    const std::string settings = ReadText(folder / "Orlin.ini");
    for (const char* line : {"[WINPOS]", "LEFT=0", "TOP=0", "RIGHT=800", "BOTTOM=560"}) {
        EXPECT_NE(settings.find(line), std::string::npos) << line << " in\n" << settings;
    }
}

}  // namespace
}  // namespace tavrel
