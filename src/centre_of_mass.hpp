// The one computation: the velocity of the pair's centre of mass.
#pragma once

#include "numbers/extended_arithmetic.hpp"
#include "platform.hpp"

namespace eb_com {

#ifndef EB_COM_MASS_RATIO
#error "EB_COM_MASS_RATIO, the mass ratio, is set by the build (CMakeLists.txt)"
#endif

// M2 / M1: the weight of velocity2 against velocity1 in the centre-of-mass
// mean. 0.91 unless built with another (-DEB_COM_MASS_RATIO=0.85).
inline constexpr double mass_ratio = EB_COM_MASS_RATIO;
static_assert(mass_ratio > 0 && mass_ratio < 1e300, "the mass ratio is a positive number");

// velocity2 - (velocity2 - velocity1) / (ratio + 1), every step in x87
// double-extended precision, as C's long double is on x86-64, and rounded
// to double once: the mean of the two velocities with weights 1 and ratio.
// The extended range keeps the difference of two huge velocities of
// opposite sign finite, where double arithmetic would overflow.
class CentreOfMassFormula {
 public:
  constexpr explicit CentreOfMassFormula(double ratio) noexcept
      : weight_sum_(extended::sum(extended::from_double(ratio), extended::from_double(1))),
        x87_weight_sum_(static_cast<long double>(ratio) + 1) {}

  // The x87 itself where the machine has it, which costs a fraction of the
  // integers' time (CONTRIBUTING.md, Performance, for the figures); the integers
  // elsewhere.
  double operator()(double velocity1, double velocity2) const noexcept {
    if constexpr (long_double_is_x87) {
      return static_cast<double>(velocity2 - (static_cast<long double>(velocity2) - velocity1) / x87_weight_sum_);
    } else {
      return in_integers(velocity1, velocity2);
    }
  }

  // The x87's bits on any machine, from integer arithmetic.
  double in_integers(double velocity1, double velocity2) const noexcept;
  // The same bits by the general sums alone, for every pair: the plain way
  // that in_integers' short way for close velocities is measured and tested
  // against.
  double in_integers_generally(double velocity1, double velocity2) const noexcept;

 private:
  extended::ConstantDivisor weight_sum_;
  long double x87_weight_sum_;  // used only where long double is the x87's
};

inline constexpr CentreOfMassFormula tool_formula{mass_ratio};

inline double centre_of_mass_velocity(double velocity1, double velocity2) noexcept {
  return tool_formula(velocity1, velocity2);
}

}  // namespace eb_com
