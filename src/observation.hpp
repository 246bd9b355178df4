// The velocities of one record, as the scan leaves them and the formula and
// the output lines read them. The abscissa, which feeds no arithmetic, is
// the scan's ScannedAbscissa and the output lines' AbscissaText.
#pragma once

#include <limits>

namespace eb_com {

// Until a record sets them the fields are NaN, so a file whose first lines
// hold no numbers shows "nan" rather than made-up zeros.
inline constexpr double unset_field = std::numeric_limits<double>::quiet_NaN();

struct Observation {
  double velocity1 = unset_field;
  double velocity2 = unset_field;
};

}  // namespace eb_com
