// What the records have set so far: each field as "%lf" prints it, and the
// velocities' values, which the formula takes. A record that does not reach
// a field leaves it as it was, as sscanf leaves a variable it does not
// reach, so the text and the value of a field always belong together.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <type_traits>

#include "numbers/fixed_point.hpp"
#include "numbers/self_printing_decimal.hpp"
#include "tool_texts.hpp"

namespace eb_com {

// What sscanf leaves in a variable no record has reached: the run starts
// with every field so.
inline constexpr double unset_field = std::numeric_limits<double>::quiet_NaN();

// A field's "%lf" text, and its value where with_value. The abscissa feeds
// no arithmetic, so it is a text alone: where a record spells it as a
// decimal that prints as itself it is never converted at all.
template <bool with_value>
class Field {
 public:
  Field() noexcept { set_value(unset_field); }

  // The field as a record spells it, a decimal that prints as itself.
  void set_self_printing(const char* spelling, const SelfPrintingReading& reading) noexcept {
    if constexpr (with_value) value_ = self_printing_value(spelling, reading);
    set_end(copy_self_printing_decimal(text_, spelling, reading.decimal));
  }
  // The field as the general scan read it.
  void set_value(double value) noexcept {
    if constexpr (with_value) value_ = value;
    set_end(format_fixed<lf_decimals>(text_, value));
  }

  double value() const noexcept requires with_value { return value_; }
  std::string_view text() const noexcept { return {text_, length_}; }

  // Writes the text and returns its end; needs room for max_fixed_length
  // characters. In two 16-byte blocks where the text is as short as nearly
  // all are.
  char* copy_text(char* out) const noexcept {
    constexpr std::size_t blocks = 32;
    static_assert(sizeof text_ >= blocks);
    if (length_ <= blocks) {
      std::memcpy(out, text_, blocks);
    } else {
      std::memcpy(out, text_, length_);
    }
    return out + length_;
  }

 private:
  static_assert(lf_decimals == self_printing_decimals && lf_decimals <= max_fixed_precision);
  static_assert(max_fixed_length >= max_self_printing_copy);
  struct NoValue {};

  void set_end(const char* end) noexcept { length_ = static_cast<std::uint16_t>(end - text_); }

  char text_[max_fixed_length];
  std::uint16_t length_ = 0;
  [[no_unique_address]] std::conditional_t<with_value, double, NoValue> value_{};
};

struct Observation {
  Field<false> abscissa;
  Field<true> velocity1;
  Field<true> velocity2;
};

}  // namespace eb_com
