#include "interaction/wheel_steps.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(WheelSteps, ANotchIsAStepAndSmallAnglesAreGathered) {
  nav::WheelSteps wheel;
  EXPECT_EQ(wheel.add(120), 1);
  EXPECT_EQ(wheel.add(-120), -1);
  EXPECT_EQ(wheel.add(360), 3);  // a fast turn reported at once

  // A touchpad: 15 eighths at a time, a step every eighth event.
  int steps = 0;
  for (int i = 0; i < 7; ++i) steps += wheel.add(15);
  EXPECT_EQ(steps, 0);
  EXPECT_EQ(wheel.add(15), 1);
  EXPECT_EQ(wheel.add(0), 0);
}

TEST(WheelSteps, TurningBackStartsAfresh) {
  nav::WheelSteps wheel;
  EXPECT_EQ(wheel.add(100), 0);
  EXPECT_EQ(wheel.add(-120), -1);  // not eaten by the 100 gathered forward
  EXPECT_EQ(wheel.add(-60), 0);
  EXPECT_EQ(wheel.add(90), 0);
  EXPECT_EQ(wheel.add(30), 1);
}

TEST(WheelSteps, HugeAnglesDoNotOverflow) {
  nav::WheelSteps wheel;
  const std::int32_t most = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(wheel.add(most), most / 120);
  EXPECT_EQ(wheel.add(most), most / 120 + (most % 120 * 2) / 120);
  const std::int32_t least = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(wheel.add(least), least / 120);
}

}  // namespace
