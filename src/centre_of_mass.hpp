// The one computation: the velocity of the pair's centre of mass.
#pragma once

#include "observation_scan.hpp"

namespace eb_com {

// M2 / M1: the weight of velocity2 against velocity1 in the centre-of-mass mean.
inline constexpr double mass_ratio = 0.91;

// velocity2 - (velocity2 - velocity1) / (mass_ratio + 1), in double-extended
// precision and rounded to double once: the mean of the two velocities with
// weights 1 and mass_ratio.
double centre_of_mass_velocity(const Observation& observation) noexcept;

}  // namespace eb_com
