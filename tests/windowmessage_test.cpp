#include "windowmessage.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

#include <QObject>

#include "qtsupport/runevents.h"

namespace tavrel {
namespace {

// A window with a message map, as the program's windows have.
class MessageWindow : public QObject {
public:
    MessageWindow() {
        m_messages.On(UM_PLAYER_TIME, this, &MessageWindow::OnPlayerTime);
        m_messages.On(UM_FILE_ACTIVATED, [this](quintptr wParam, qintptr) {
            activated.push_back(static_cast<int>(wParam));
        });
    }

    bool event(QEvent* event) override {
        return m_messages.Dispatch(event) || QObject::event(event);
    }

    std::vector<std::pair<quintptr, qintptr>> times;
    std::vector<std::thread::id> threads;
    std::vector<int> activated;

private:
    void OnPlayerTime(quintptr wParam, qintptr lParam) {
        times.emplace_back(wParam, lParam);
        threads.push_back(std::this_thread::get_id());
    }

    WindowMessageMap m_messages;
};

TEST(WindowMessageTest, PostedFromAnotherThreadTheyArriveInOrderOnTheWindowsThread) {
    MessageWindow window;
    constexpr int kCount = 5000;
    std::thread engine([&window] {
        for (int i = 0; i < kCount; ++i) {
            PostWindowMessage(&window, UM_PLAYER_TIME, static_cast<quintptr>(i), -i);
        }
    });
    engine.join();
    EXPECT_TRUE(window.times.empty()) << "a post must not deliver at once";

    ASSERT_TRUE(test::RunEventsUntil([&] { return window.times.size() == kCount; }, 10000));
    for (int i = 0; i < kCount; ++i) {
        ASSERT_EQ(window.times[i], std::make_pair(static_cast<quintptr>(i), qintptr{-i}));
        ASSERT_EQ(window.threads[i], std::this_thread::get_id());
    }
}

TEST(WindowMessageTest, SendDeliversBeforeReturningToTheHandlerOfThatMessageOnly) {
    MessageWindow window;
    // Lists send -1 when no row is under the double click.
    SendWindowMessage(&window, UM_FILE_ACTIVATED, static_cast<quintptr>(-1));
    SendWindowMessage(&window, UM_FILE_ACTIVATED, 7);
    EXPECT_EQ(window.activated, (std::vector<int>{-1, 7}));

    SendWindowMessage(&window, UM_MAP_CHANGED);
    SendWindowMessage(&window, UM_PLAYER_END, UM_FILE_ACTIVATED);
    SendWindowMessage(nullptr, UM_FILE_ACTIVATED, 1);
    EXPECT_FALSE(PostWindowMessage(nullptr, UM_PLAYER_END, 1));
    EXPECT_EQ(window.activated.size(), 2u);
    EXPECT_TRUE(window.times.empty());
}

}  // namespace
}  // namespace tavrel
