#include <gtest/gtest.h>

#include "gl/Timer.h"

namespace {

// A counter the test moves by hand, in microseconds.
struct FakeClock {
  int64_t now = 1'000'000;
  THiRes_SimpleTimer::Counter counter() {
    return [this] { return now; };
  }
  void Advance(double seconds) { now += static_cast<int64_t>(seconds * 1e6); }
};

}  // namespace

TEST(FrameTimer, SixtyEvenTicksASecondReadSixtyFramesPerSecond) {
  FakeClock clock;
  THiRes_Timer timer(clock.counter(), 1'000'000);
  for (int i = 0; i < 120; ++i) {
    clock.Advance(1.0 / 60);
    timer.Tick();
  }
  EXPECT_NEAR(timer.FramesPerSecond(), 60, 1);
  EXPECT_NEAR(static_cast<double>(timer.Delta()), 1.0 / 60, 1e-5);
}

TEST(FrameTimer, ALongTickClosesSeveralBuckets) {
  FakeClock clock;
  THiRes_Timer timer(clock.counter(), 1'000'000);
  clock.Advance(0.35);
  timer.Tick();
  auto history = timer.History();
  EXPECT_EQ(history[0], 0);
  EXPECT_EQ(history[1], 0);
  EXPECT_EQ(history[2], 1);
  EXPECT_EQ(history[3], 0);
  EXPECT_NEAR(static_cast<double>(timer.Accumulator()), 0.05, 1e-6);
}

TEST(FrameTimer, StallsAreClampedToOneSecond) {
  FakeClock clock;
  THiRes_Timer timer(clock.counter(), 1'000'000);
  clock.Advance(5);
  timer.Tick();
  EXPECT_EQ(timer.Delta(), 1.0L);
  EXPECT_EQ(timer.FramesPerSecond(), 1);  // one frame in the first of ten closed buckets

  timer.clamp = false;
  clock.Advance(5);
  timer.Tick();
  EXPECT_NEAR(static_cast<double>(timer.Delta()), 5.0, 1e-9);
}

TEST(FrameTimer, ACounterRunningBackwardsGivesZero) {
  FakeClock clock;
  THiRes_SimpleTimer timer(clock.counter(), 1'000'000);
  clock.now -= 500'000;
  timer.Tick();
  EXPECT_EQ(timer.Delta(), 0.0L);
  clock.Advance(0.25);
  timer.Tick();
  EXPECT_NEAR(static_cast<double>(timer.Delta()), 0.25, 1e-9);
}

TEST(FrameTimer, ResetMeasuresTheNextTickFromTheReset) {
  FakeClock clock;
  THiRes_Timer timer(clock.counter(), 1'000'000);
  for (int i = 0; i < 30; ++i) {
    clock.Advance(0.02);
    timer.Tick();
  }
  clock.Advance(0.5);
  timer.Reset();
  EXPECT_EQ(timer.Delta(), 0.0L);
  EXPECT_EQ(timer.FramesPerSecond(), 0);
  clock.Advance(0.01);
  timer.Tick();
  EXPECT_NEAR(static_cast<double>(timer.Delta()), 0.01, 1e-9);
}
