// Scanning a record into the held Observation, as
// std::sscanf(record, " %lf %lf %lf ", ...) scans it.
#pragma once

#include <limits>
#include <string_view>

namespace eb_com {

struct Observation {
  // Until a record sets them the fields are NaN, so a file whose first lines
  // hold no numbers shows "nan" rather than made-up zeros.
  double abscissa = std::numeric_limits<double>::quiet_NaN();
  double velocity1 = std::numeric_limits<double>::quiet_NaN();
  double velocity2 = std::numeric_limits<double>::quiet_NaN();
};

// How the record spelled each field it set, as views into the record: empty
// where the scan did not reach the field or where only sscanf could read it.
struct FieldSpellings {
  std::string_view abscissa;
  std::string_view velocity1;
  std::string_view velocity2;
};

// Up to three numbers in column order; a field the scan does not reach keeps
// its value. A NUL character ends the scan. Only the first max_record_length
// characters count, and record_padding bytes after the record must be
// readable, as RecordReader guarantees.
void parse_observation(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept;

}  // namespace eb_com
