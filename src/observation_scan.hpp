// Scanning a record into its abscissa and the held Observation, as
// std::sscanf(record, " %lf %lf %lf ", ...) scans it.
#pragma once

#include <cassert>
#include <cstdint>
#include <string_view>

#include "observation.hpp"
#include "self_printing_decimal.hpp"

namespace eb_com {

// How the record spelled a field it set, as a piece of the record: empty
// where the scan did not reach the field.
struct FieldSpelling {
  const char* text = nullptr;
  std::uint32_t length = 0;
  SelfPrintingDecimal self_printing;  // its length 0 where the text is no such decimal

  std::string_view view() const noexcept { return {text, length}; }
};

// The abscissa as the record gave it. It feeds no arithmetic, so where it
// is spelled as a decimal that prints as itself the scan does not convert
// it: then the spelling is the number, and there is no value to read.
class ScannedAbscissa {
 public:
  bool is_self_printing() const noexcept { return spelling_.self_printing.length != 0; }
  // Only where is_self_printing().
  const FieldSpelling& spelling() const noexcept {
    assert(is_self_printing());
    return spelling_;
  }
  // Only where !is_self_printing().
  double value() const noexcept {
    assert(!is_self_printing());
    return value_;
  }

  void set_self_printing(const FieldSpelling& spelling) noexcept { spelling_ = spelling; }
  void set_value(double value) noexcept {
    value_ = value;
    spelling_.self_printing = {};
  }

 private:
  double value_ = unset_field;
  FieldSpelling spelling_;
};

// What a record gave besides its velocities' values.
struct FieldSpellings {
  ScannedAbscissa abscissa;
  FieldSpelling velocity1;
  FieldSpelling velocity2;
};

// What the scan of a record found besides the values.
struct RecordScan {
  int fields_set = 0;             // from the first, as sscanf counts them (0 to 3)
  bool text_after_third = false;  // anything but white space after the third number
};

// Up to three numbers in column order: the abscissa, then the velocities.
// A velocity the scan does not reach keeps its value, and the abscissa is
// the record's only where the record reached it. A NUL character ends the
// scan.
//
// Only the first max_record_length characters count, and record_padding
// bytes after the record must be readable, as RecordReader guarantees.
RecordScan parse_observation(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept;

}  // namespace eb_com
