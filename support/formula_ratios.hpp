// The mass ratios the formula's tests, its fuzz target and the recorded x87
// results try, whatever ratio a build is for: the tool's default, and a
// second one, which the other-ratio preset also builds the whole tool for.
#pragma once

#include "centre_of_mass.hpp"

namespace formula_ratios {

inline constexpr double default_ratio = 0.91;
inline constexpr double second_ratio = 0.85;
inline constexpr eb_com::CentreOfMassFormula second_ratio_formula{second_ratio};

}  // namespace formula_ratios
