// The two lines every record gives: its echo on the transcript,
// "%lf %lf %lf \n", and its row in the table, "%7.6lf %4.3lf \n".
#pragma once

#include <cstddef>
#include <string_view>

#include "buffered_output.hpp"
#include "numbers/fixed_point.hpp"
#include "observation_scan.hpp"
#include "tool_texts.hpp"

namespace eb_com {

// The longest row and echo line; format_output_row needs that much room.
inline constexpr std::size_t max_output_row_length = 2 * max_fixed_length + 3;
inline constexpr std::size_t max_echo_line_length = 3 * max_fixed_length + 4;

// Writes "%lf" of value and returns the end of the text, given the spelling
// parse_observation scanned it from, or an empty one. A spelling that prints
// as itself is copied, and value is not looked at. Needs room for
// max_fixed_length characters.
char* format_lf(char* out, double value, const SelfPrintingSpelling& spelling) noexcept;

// The abscissa as the echo line and the row print it, "%lf" of the value the
// last record that reached the field gave. The abscissa feeds no arithmetic,
// so the run holds this text rather than the number: set from the spelling
// where that prints as itself (the scan does not convert it then), from the
// value otherwise, and kept while records do not reach the field.
class AbscissaText {
 public:
  explicit AbscissaText(double value) noexcept { set_text(format_fixed<lf_decimals>(text_, value)); }
  void set(const ScannedAbscissa& abscissa) noexcept {
    if (abscissa.is_self_printing()) {
      const SelfPrintingSpelling& spelling = abscissa.spelling();
      set_text(copy_self_printing_decimal(text_, spelling.text, spelling.decimal));
    } else {
      set_text(format_fixed<lf_decimals>(text_, abscissa.value()));
    }
  }
  std::string_view view() const noexcept { return {text_, length_}; }
  // Writes the text and returns its end; needs room for max_fixed_length
  // characters.
  char* copy_to(char* out) const noexcept;

 private:
  void set_text(const char* end) noexcept { length_ = static_cast<std::size_t>(end - text_); }

  char text_[max_fixed_length];
  std::size_t length_ = 0;
};

// A row of the output table from the abscissa's "%lf" text, which "%7.6lf"
// only pads; returns the end of the text.
char* format_output_row(char* out, const AbscissaText& abscissa, double vcm) noexcept;
void write_output_row(BufferedOutput& table, const AbscissaText& abscissa, double vcm) noexcept;

// Writes the record's line of the transcript: the abscissa's text, then the
// velocities.
void write_echo_line(BufferedOutput& transcript, const AbscissaText& abscissa, const Observation& observation,
                     const VelocitySpellings& spellings) noexcept;

}  // namespace eb_com
