#include "messagebox.h"

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "qtsupport/qtprinters.h"

using namespace Qt::Literals::StringLiterals;

namespace tavrel {
namespace {

// Waits for the modal box to come up, hands it to `act` and makes sure it
// goes away even when `act` does not close it.
void WhenTheBoxIsUp(std::function<void(QMessageBox*)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll,
                     [poll, act = std::move(act), waited = 0]() mutable {
                         auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                         if (box == nullptr && ++waited < 500) {
                             return;
                         }
                         poll->deleteLater();
                         if (box != nullptr) {
                             act(box);
                             if (box->isVisible()) {
                                 ADD_FAILURE() << "the box stayed open";
                                 box->done(QMessageBox::Ok);
                             }
                         } else {
                             ADD_FAILURE() << "no message box came up";
                         }
                     });
    poll->start(10);
}

void PressEscape(QMessageBox* box) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &escape);
}

TEST(MessageBoxTest, ShowsTheRequestAndReturnsTheButtonPressed) {
    struct Case {
        const char* what;
        MessageBoxButtons buttons;
        MessageBoxIcon icon;
        std::function<void(QMessageBox*)> press;
        MessageBoxAnswer expected;
    };
    const Case cases[] = {
        {"OK", MessageBoxButtons::Ok, MessageBoxIcon::Exclamation,
         [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); }, MessageBoxAnswer::Ok},
        {"Cancel", MessageBoxButtons::OkCancel, MessageBoxIcon::None,
         [](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); },
         MessageBoxAnswer::Cancel},
        {"OK of two", MessageBoxButtons::OkCancel, MessageBoxIcon::Exclamation,
         [](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); }, MessageBoxAnswer::Ok},
        {"Escape with Cancel", MessageBoxButtons::OkCancel, MessageBoxIcon::None, PressEscape,
         MessageBoxAnswer::Cancel},
        {"Escape with OK alone", MessageBoxButtons::Ok, MessageBoxIcon::None, PressEscape,
         MessageBoxAnswer::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString text = u"File \"<b>%1</b>\" is already exist."_s;
        WhenTheBoxIsUp([&](QMessageBox* box) {
            EXPECT_EQ(box->text(), text);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->windowTitle(), u"Warning"_s);
            EXPECT_EQ(box->icon(), c.icon == MessageBoxIcon::Exclamation ? QMessageBox::Warning
                                                                         : QMessageBox::NoIcon);
            EXPECT_EQ(box->standardButtons(), c.buttons == MessageBoxButtons::OkCancel
                                                  ? QMessageBox::Ok | QMessageBox::Cancel
                                                  : QMessageBox::StandardButtons(QMessageBox::Ok));
            c.press(box);
        });
        EXPECT_EQ(ShowMessageBox(nullptr, {text, u"Warning"_s, c.buttons, c.icon}), c.expected);
    }
}

TEST(MessageBoxTest, AnAnswererTakesTheBoxsPlaceUntilItsScopeEnds) {
    int outerAsked = 0;
    ScopedMessageBoxAnswerer outer([&](const MessageBoxRequest&) {
        ++outerAsked;
        return MessageBoxAnswer::Ok;
    });
    {
        MessageBoxRequest asked;
        ScopedMessageBoxAnswerer inner([&](const MessageBoxRequest& request) {
            asked = request;
            return MessageBoxAnswer::Cancel;
        });
        const MessageBoxRequest request{u"Are you sure to delete the checked files?"_s,
                                        u"Delete Files"_s, MessageBoxButtons::OkCancel,
                                        MessageBoxIcon::None};
        EXPECT_EQ(ShowMessageBox(nullptr, request), MessageBoxAnswer::Cancel);
        EXPECT_EQ(asked.text, request.text);
        EXPECT_EQ(asked.caption, request.caption);
        EXPECT_EQ(asked.buttons, MessageBoxButtons::OkCancel);
        EXPECT_EQ(outerAsked, 0);
    }
    EXPECT_EQ(ShowMessageBox(nullptr, {u"x"_s, u"y"_s}), MessageBoxAnswer::Ok);
    EXPECT_EQ(outerAsked, 1);
}

}  // namespace
}  // namespace tavrel
