// The conversion written the plain way, with fgets, sscanf and fprintf and the
// formats exactly as the tool's documentation gives them. It is the
// benchmark's baseline and the reference that the tests and the fuzz target
// hold eb-com to.
#pragma once

#include <cmath>
#include <cstdio>
#include <limits>

#include "centre_of_mass.hpp"
#include "conversion.hpp"
#include "tool_texts.hpp"
#include "x87_reference.hpp"

namespace stdio_conversion {

struct Summary {
  long long observation_count = 0;
  double v_max = eb_com::v_max_start;
  double v_min = eb_com::v_min_start;
};

// Converts every record of input, writing rows to table and echo lines to
// transcript, and returns what the summary shows.
inline Summary convert(std::FILE* input, std::FILE* table, std::FILE* transcript) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  double abscissa = nan, velocity1 = nan, velocity2 = nan;
  Summary summary;
  bool seen = false;
  char record[500];
  while (std::fgets(record, sizeof record, input) != nullptr) {
    std::sscanf(record, " %lf %lf %lf ", &abscissa, &velocity1, &velocity2);
    ++summary.observation_count;
    std::fprintf(transcript, eb_com::echo_line_format, abscissa, velocity1, velocity2);
#if EB_COM_LONG_DOUBLE_IS_X87
    const double vcm = x87_reference::centre_of_mass_velocity(eb_com::mass_ratio, velocity1, velocity2);
#else
    // No x87 to ask: the integer evaluation, which the tests hold to the
    // x87's recorded results on such machines.
    const double vcm = eb_com::tool_formula.in_integers(velocity1, velocity2);
#endif
    if (!std::isnan(vcm)) {
      if (!seen || vcm > summary.v_max) summary.v_max = vcm;
      if (!seen || vcm < summary.v_min) summary.v_min = vcm;
      seen = true;
    }
    std::fprintf(table, eb_com::row_format, abscissa, vcm);
  }
  return summary;
}

inline void write_summary(std::FILE* transcript, const Summary& summary) {
  std::fprintf(transcript, eb_com::count_format, summary.observation_count);
  std::fprintf(transcript, eb_com::v_max_format, summary.v_max);
  std::fprintf(transcript, eb_com::v_min_format, summary.v_min);
}

}  // namespace stdio_conversion
