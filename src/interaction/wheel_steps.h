#pragma once

#include <cstdint>

namespace nav {

// Turns wheel angles into zoom steps: one notch of a mouse wheel is one step,
// and the small angles of a touchpad or a free-spinning wheel are gathered
// until they make one.
class WheelSteps {
 public:
  // The angle of one notch, in eighths of a degree.
  static constexpr std::int32_t kNotch = 120;

  // Adds an angle (positive away from the user) and returns the whole steps
  // it completes, negative toward the user. Turning back drops what was
  // gathered the other way, so that the first notch back already counts.
  std::int32_t add(std::int32_t angle);

 private:
  std::int32_t gathered_ = 0;
};

}  // namespace nav
