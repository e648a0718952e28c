#include "interaction/wheel_steps.h"

namespace nav {

std::int32_t WheelSteps::add(std::int32_t angle) {
  if ((angle > 0 && gathered_ < 0) || (angle < 0 && gathered_ > 0)) gathered_ = 0;
  // Kept within a few notches, so that no angle overflows the sum.
  const std::int64_t sum = std::int64_t{gathered_} + angle;
  const std::int64_t steps = sum / kNotch;
  gathered_ = static_cast<std::int32_t>(sum - steps * kNotch);
  return static_cast<std::int32_t>(steps);
}

}  // namespace nav
