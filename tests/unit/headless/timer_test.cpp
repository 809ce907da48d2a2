// Window timers under the virtual clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"

using namespace gui;
using headless::HeadlessPlatform;

namespace {

class TimerTest : public ::testing::Test {
 protected:
  Timer& make(const std::string& name, int interval) {
    Timer& t = form.addTimer(name, interval);
    t.onTimer = [this, &t] { fired.push_back(t.name() + "@" + std::to_string(platform.elapsedMs())); };
    return t;
  }
  HeadlessPlatform platform;
  Form form{platform, "frmMain"};
  std::vector<std::string> fired;
};

}  // namespace

TEST_F(TimerTest, DueTimersFireInTimeOrderTiesInCreationOrder) {
  make("tmrB", 50);
  make("tmrA", 30);
  make("tmrC", 50);
  platform.advance(100);
  EXPECT_EQ(fired, (std::vector<std::string>{"tmrA@30", "tmrB@50", "tmrC@50", "tmrA@60", "tmrA@90", "tmrB@100",
                                             "tmrC@100"}));
  EXPECT_EQ(platform.elapsedMs(), 100);
  fired.clear();
  platform.advance(29);  // next tmrA at 120
  EXPECT_EQ(fired, (std::vector<std::string>{"tmrA@120"}));
}

TEST_F(TimerTest, HandlerThatStopsItsTimerStopsIt) {
  Timer& anim = form.addTimer("tmrBtnKrepkoE", 50);
  int ticks = 0;
  anim.setTag("1");
  anim.onTimer = [&] {
    ++ticks;
    anim.setTag(std::to_string(std::stoi(anim.tag()) + 1));
    if (anim.tag() == "4") {
      anim.setTag("100");
      anim.setEnabled(false);
    }
  };
  platform.advance(1000);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(anim.tag(), "100");
  EXPECT_FALSE(anim.running());
}

TEST_F(TimerTest, ChangesFromAHandlerCountFromThatMoment) {
  Timer& tracking = make("tmrTrack", 50);
  Timer& other = make("tmrOther", 500);
  other.setEnabled(false);
  tracking.onTimer = [&] {
    fired.push_back("track@" + std::to_string(platform.elapsedMs()));
    other.setEnabled(true);
    tracking.setInterval(200);
  };
  platform.advance(300);
  EXPECT_EQ(fired, (std::vector<std::string>{"track@50", "track@250"}));
  fired.clear();
  platform.advance(300);  // tmrOther started at 50 and falls due at 550
  EXPECT_EQ(fired, (std::vector<std::string>{"track@450", "tmrOther@550"}));
}

TEST_F(TimerTest, EnablingAnEnabledTimerDoesNotRestartIt) {
  Timer& t = make("tmrBlink", 500);
  platform.advance(400);
  t.setEnabled(true);
  t.setInterval(500);
  platform.advance(100);
  EXPECT_EQ(fired, (std::vector<std::string>{"tmrBlink@500"}));
  // Off and on again restarts the count.
  platform.advance(400);
  t.setEnabled(false);
  t.setEnabled(true);
  platform.advance(499);
  EXPECT_EQ(fired.size(), 1u);
  platform.advance(1);
  EXPECT_EQ(fired.back(), "tmrBlink@1400");
}

TEST_F(TimerTest, ZeroIntervalNeverFiresAndTinyIntervalsAreRaisedToTheSystemMinimum) {
  make("zero", 0);
  make("tiny", 1);
  platform.advance(35);
  EXPECT_EQ(fired, (std::vector<std::string>{"tiny@10", "tiny@20", "tiny@30"}));
}

TEST_F(TimerTest, UnloadStopsTheFormsTimersAndDestroyedTimersAreForgotten) {
  make("tmr1", 50);
  form.load();
  EXPECT_TRUE(form.unload());
  platform.advance(200);
  EXPECT_TRUE(fired.empty());
  {
    Form temp(platform, "temp");
    Timer& t = temp.addTimer("short", 10);
    t.onTimer = [&] { fired.push_back("short"); };
  }
  platform.advance(100);
  EXPECT_TRUE(fired.empty());
}

TEST(Clock, LocalTimeMovesWithTheVirtualClockAcrossMidnightAndYears) {
  HeadlessPlatform platform;
  platform.setNow({{2026, 12, 31}, 23, 59, 59, 990});
  Form form(platform, "frmMini");
  base::DateTime seen{};
  Timer& tick = form.addTimer("tmrTick", 500);
  tick.onTimer = [&] { seen = platform.now(); };
  platform.advance(500);
  EXPECT_EQ(seen.date, (base::Date{2027, 1, 1}));
  EXPECT_EQ(seen.hour, 0);
  EXPECT_EQ(seen.millisecond, 490);
  platform.setNow({{2028, 2, 28}, 23, 0, 0, 0});
  platform.advance(2 * 3600 * 1000);
  EXPECT_EQ(platform.now().date, (base::Date{2028, 2, 29}));
  EXPECT_EQ(platform.now().hour, 1);
}
