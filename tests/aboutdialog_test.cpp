#include "aboutdialog.h"

#include <gtest/gtest.h>

#include <QWebEngineView>

#include "languagetable.h"
#include "qtsupport/qtprinters.h"
#include "qtsupport/runevents.h"
#include "qtsupport/webpage.h"

namespace tavrel {
namespace {

using test::Evaluate;

QString VersionLine(AboutDialog& dialog) {
    QString line;
    test::RunEventsUntil(
        [&] {
            line = Evaluate(dialog.View()->page(),
                            QStringLiteral("document.getElementById('version') ? "
                                           "document.getElementById('version').textContent : ''"))
                       .toString();
            return line.startsWith(QStringLiteral("Version"));
        },
        30000);
    return line;
}

TEST(AboutDialog, ShowsTheVersionFromTheDialog) {
    struct Case {
        int minor;
        const char* line;
    };
    for (const Case c :
         {Case{0, "Version 1.00"}, Case{9, "Version 1.09"}, Case{12, "Version 1.12"}}) {
        AboutDialog dialog(nullptr, c.minor);
        dialog.show();
        EXPECT_EQ(VersionLine(dialog), QString::fromUtf8(c.line));
    }
}

TEST(AboutDialog, FramesThePageAndEndsWithItsOkButton) {
    AboutDialog dialog;
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(470, 230));
    EXPECT_EQ(dialog.windowTitle(), LoadUiString(StringId::AboutItem));
    EXPECT_EQ(dialog.View()->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_EQ(dialog.GetVersionNum(0), 1);
    EXPECT_EQ(dialog.GetVersionNum(1), 0);
    EXPECT_EQ(dialog.GetVersionNum(7), 0);
    ASSERT_EQ(VersionLine(dialog), QStringLiteral("Version 1.00"));

    Evaluate(dialog.View()->page(),
             QStringLiteral("document.getElementById('ButtonOK').click(), 0"));
    EXPECT_TRUE(test::RunEventsUntil([&] { return !dialog.isVisible(); }, 10000));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace tavrel
