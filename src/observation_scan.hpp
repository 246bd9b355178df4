// Scanning a record into the held Observation, as
// std::sscanf(record, " %lf %lf %lf ", ...) scans it.
#pragma once

#include <cstdint>
#include <string_view>

#include "observation.hpp"
#include "self_printing_decimal.hpp"

namespace eb_com {

// How the record spelled a field it set, as a piece of the record: empty
// where the scan did not reach the field or where only sscanf could read it.
struct FieldSpelling {
  const char* text = nullptr;
  std::uint32_t length = 0;
  SelfPrintingDecimal self_printing;  // its length 0 where the text is no such decimal

  std::string_view view() const noexcept { return {text, length}; }
};

struct FieldSpellings {
  FieldSpelling abscissa;
  FieldSpelling velocity1;
  FieldSpelling velocity2;
};

// Up to three numbers in column order; a field the scan does not reach keeps
// its value. A NUL character ends the scan. Returns how many fields the
// record set, from the first, as sscanf counts them (0 to 3).
//
// The abscissa feeds no arithmetic: where it is spelled as a decimal that
// prints as itself, it is not converted, observation.abscissa keeps its old
// value, and the spelling stands for the number.
//
// Only the first max_record_length characters count, and record_padding
// bytes after the record must be readable, as RecordReader guarantees.
int parse_observation(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept;

}  // namespace eb_com
