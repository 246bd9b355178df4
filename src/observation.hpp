// The numbers of one record, as the scan leaves them and the formula and the
// output lines read them.
#pragma once

#include <limits>

namespace eb_com {

struct Observation {
  // Until a record sets them the fields are NaN, so a file whose first lines
  // hold no numbers shows "nan" rather than made-up zeros.
  double abscissa = std::numeric_limits<double>::quiet_NaN();
  double velocity1 = std::numeric_limits<double>::quiet_NaN();
  double velocity2 = std::numeric_limits<double>::quiet_NaN();
};

}  // namespace eb_com
