// The centre-of-mass formula as the x87 evaluates it, for the tests, the
// fuzz target and the benchmark's baseline to hold eb-com to.
#pragma once

#include "platform.hpp"

namespace x87_reference {

#if EB_COM_LONG_DOUBLE_IS_X87

// velocity2 - (velocity2 - velocity1) / (ratio + 1), each step on the x87
// itself. Kept out of line, so that the compiler's constant folding, which
// need not follow the x87's NaN rules, never stands in for the hardware.
// The velocities are made long doubles first, through memory: a double
// operand taken straight from memory keeps a signalling NaN signalling, and
// which of two NaNs wins then depends on the instructions a compiler picks.
EB_COM_NOINLINE inline double centre_of_mass_velocity(double ratio, double velocity1, double velocity2) noexcept {
  const volatile long double v1 = velocity1;
  const volatile long double v2 = velocity2;
  const volatile long double weight_sum = static_cast<long double>(ratio) + 1;
  return static_cast<double>(v2 - (v2 - v1) / weight_sum);
}
#endif

}  // namespace x87_reference
