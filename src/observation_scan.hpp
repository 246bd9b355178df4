// Scanning a record into the Observation, as
// std::sscanf(record, " %lf %lf %lf ", ...) scans it.
#pragma once

#include <string_view>

#include "observation.hpp"
#include "record_shapes.hpp"

namespace eb_com {

// White space as the scanf family sees it in the POSIX locale.
constexpr bool is_scanf_space(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }
inline const char* skip_scanf_space(const char* p, const char* last) noexcept {
  while (p != last && is_scanf_space(*p)) ++p;
  return p;
}

// What the scan of a record found besides the values.
struct RecordScan {
  int fields_set = 0;             // from the first, as sscanf counts them (0 to 3)
  bool text_after_third = false;  // anything but white space after the third number
};

// Up to three numbers in column order into the abscissa, then the
// velocities; a field the scan does not reach keeps what it held. A NUL
// character ends the scan. The shapes of the records scanned are kept in
// shapes, for the records after.
//
// Only the first max_record_length characters count, and record_padding
// bytes after the record must be readable, as RecordReader guarantees.
RecordScan parse_observation(std::string_view record, Observation& observation, RecordShapes& shapes) noexcept;

}  // namespace eb_com
