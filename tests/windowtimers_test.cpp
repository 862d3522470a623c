#include "windowtimers.h"

#include <gtest/gtest.h>

#include <map>

#include "qtsupport/runevents.h"

namespace tavrel {
namespace {

constexpr int TIMER_SEEK = 103;
constexpr int TIMER_DEFERRED_START = 105;

class WindowTimersTest : public ::testing::Test {
protected:
    std::map<int, int> m_ticks;  // by timer id
    WindowTimers m_timers{[this](int timerId) { ++m_ticks[timerId]; }};
};

TEST_F(WindowTimersTest, EachTickReachesTheHandlerWithItsTimersId) {
    m_timers.SetTimer(TIMER_SEEK, 5);
    m_timers.SetTimer(TIMER_DEFERRED_START, 20);
    ASSERT_TRUE(test::RunEventsUntil([&] { return m_ticks[TIMER_DEFERRED_START] >= 2; }, 5000));
    EXPECT_GT(m_ticks[TIMER_SEEK], m_ticks[TIMER_DEFERRED_START]);
    EXPECT_EQ(m_ticks.size(), 2u);
}

TEST_F(WindowTimersTest, SetTimerAgainRestartsWithTheNewPeriod) {
    m_timers.SetTimer(TIMER_SEEK, 100000);
    m_timers.SetTimer(TIMER_SEEK, 5);
    EXPECT_TRUE(test::RunEventsUntil([&] { return m_ticks[TIMER_SEEK] >= 3; }, 5000));
}

TEST_F(WindowTimersTest, KillTimerStopsTheTimerAndSaysWhetherItRan) {
    m_timers.SetTimer(TIMER_SEEK, 5);
    EXPECT_TRUE(m_timers.IsRunning(TIMER_SEEK));
    EXPECT_TRUE(m_timers.KillTimer(TIMER_SEEK));
    EXPECT_FALSE(m_timers.IsRunning(TIMER_SEEK));
    EXPECT_FALSE(m_timers.KillTimer(TIMER_SEEK));
    EXPECT_FALSE(m_timers.KillTimer(TIMER_DEFERRED_START));
    test::RunEventsFor(50);
    EXPECT_TRUE(m_ticks.empty());
}

TEST_F(WindowTimersTest, AHandlerMayStopItsOwnTimerAndStartItAgain) {
    int ticks = 0;
    WindowTimers timers([&](int timerId) {
        ++ticks;
        timers.KillTimer(timerId);
    });
    timers.SetTimer(TIMER_SEEK, 5);
    ASSERT_TRUE(test::RunEventsUntil([&] { return ticks == 1; }, 5000));
    test::RunEventsFor(50);
    EXPECT_EQ(ticks, 1);

    timers.SetTimer(TIMER_SEEK, 5);
    EXPECT_TRUE(test::RunEventsUntil([&] { return ticks == 2; }, 5000));
}

}  // namespace
}  // namespace tavrel
