#include "centre_of_mass.hpp"

#include <limits>

namespace eb_com {

// The result is defined to the last bit: every step below in the x87 format.
static_assert(std::numeric_limits<long double>::digits == 64, "eb-com needs long double to be x87 double-extended");

double centre_of_mass_velocity(const Observation& observation) noexcept {
  // Extended precision keeps the difference of two huge velocities of
  // opposite sign finite, where double arithmetic would overflow.
  const long double difference = static_cast<long double>(observation.velocity2) - observation.velocity1;
  const long double weight_sum = static_cast<long double>(mass_ratio) + 1;
  const long double shift = difference / weight_sum;
  return static_cast<double>(observation.velocity2 - shift);
}

}  // namespace eb_com
