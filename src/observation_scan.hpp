// Scanning a record into its abscissa and the held Observation, as
// std::sscanf(record, " %lf %lf %lf ", ...) scans it.
#pragma once

#include <cassert>
#include <cstdint>
#include <string_view>

#include "numbers/self_printing_decimal.hpp"
#include "observation.hpp"

namespace eb_com {

// Where a record spells a field as a decimal that prints as itself ("%lf"
// gives its spelling padded with zeros), so that the echo copies it rather
// than formatting the value: the text in the record and its shape. Empty
// for a field spelled any other way, or not reached.
struct SelfPrintingSpelling {
  const char* text = nullptr;
  SelfPrintingDecimal decimal;  // its length 0 where empty

  bool empty() const noexcept { return decimal.length == 0; }
};

// The abscissa as the record gave it. It feeds no arithmetic, so where it
// is spelled as a decimal that prints as itself the scan does not convert
// it: then the spelling is the number, and there is no value to read.
class ScannedAbscissa {
 public:
  bool is_self_printing() const noexcept { return !spelling_.empty(); }
  // Only where is_self_printing().
  const SelfPrintingSpelling& spelling() const noexcept {
    assert(is_self_printing());
    return spelling_;
  }
  // Only where !is_self_printing().
  double value() const noexcept {
    assert(!is_self_printing());
    return value_;
  }

  void set_self_printing(const SelfPrintingSpelling& spelling) noexcept { spelling_ = spelling; }
  void set_value(double value) noexcept {
    value_ = value;
    spelling_ = {};
  }

 private:
  double value_ = unset_field;
  SelfPrintingSpelling spelling_;
};

// The velocities' spellings, where they print as themselves; their values
// are the Observation's.
struct VelocitySpellings {
  SelfPrintingSpelling velocity1;
  SelfPrintingSpelling velocity2;
};

// White space as the scanf family sees it in the POSIX locale.
constexpr bool is_scanf_space(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

// What the scan of a record found besides the values.
struct RecordScan {
  int fields_set = 0;             // from the first, as sscanf counts them (0 to 3)
  bool text_after_third = false;  // anything but white space after the third number
};

// Up to three numbers in column order: the abscissa, then the velocities.
// A velocity the scan does not reach keeps its value, and the abscissa is
// the record's only where the record reached it; a spelling is the
// record's only where the scan reached its field, and empty otherwise. A NUL character ends the
// scan.
//
// Only the first max_record_length characters count, and record_padding
// bytes after the record must be readable, as RecordReader guarantees.
RecordScan parse_observation(std::string_view record, Observation& observation, ScannedAbscissa& abscissa,
                             VelocitySpellings& spellings) noexcept;

}  // namespace eb_com
