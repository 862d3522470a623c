#include "uimessagebox.h"

#include <gtest/gtest.h>

#include <QString>

#include "qtsupport/qtprinters.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

TEST(UiMessageBoxTest, TextsComeFromStringIdsWithTheArgumentFilledIn) {
    struct Case {
        StringId textId;
        StringId captionId;
        MessageBoxButtons buttons;
        MessageBoxIcon icon;
        QString argument;
        MessageBoxAnswer answer;
        QString text;
        QString caption;
    };
    const Case cases[] = {
        {StringId::KmlSaved, StringId::KmlCaption, MessageBoxButtons::Ok, MessageBoxIcon::None,
         u"/home/運転/GPSLOG/a.kml"_s, MessageBoxAnswer::Ok,
         u"KMLファイル:/home/運転/GPSLOG/a.kmlを保存できました。"_s, u"KMLの保存"_s},
        // A "%s" in the file name is part of the name.
        {StringId::OverwriteQuestion, StringId::OverwriteCaption, MessageBoxButtons::OkCancel,
         MessageBoxIcon::None, u"100%s.AVI"_s, MessageBoxAnswer::Cancel,
         u"ファイル、\"100%s.AVI\"はすでに存在します。このファイルを上書きしますか?"_s,
         u"ファイルの上書きを確認してください。"_s},
        {StringId::FolderMissing, StringId::WarningCaption, MessageBoxButtons::Ok,
         MessageBoxIcon::Exclamation, QString(), MessageBoxAnswer::Ok,
         u"フォルダが存在しません。"_s, u"警告"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Number(c.textId));
        MessageBoxRequest shown;
        ScopedMessageBoxAnswerer answerer([&](const MessageBoxRequest& request) {
            shown = request;
            return c.answer;
        });
        EXPECT_EQ(ShowUiMessageBox(nullptr, c.textId, c.captionId, c.buttons, c.icon, c.argument),
                  c.answer);
        EXPECT_EQ(shown.text, c.text);
        EXPECT_EQ(shown.caption, c.caption);
        EXPECT_EQ(shown.buttons, c.buttons);
        EXPECT_EQ(shown.icon, c.icon);
    }
}

}  // namespace
}  // namespace tavrel
