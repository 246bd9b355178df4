#include "output_lines.hpp"

#include <cstring>

#include "record_reader.hpp"

namespace eb_com {

// The tool's formats within what the formatter and the self-printing
// decimals are made for.
static_assert(lf_decimals <= max_fixed_precision && vcm_decimals <= max_fixed_precision);
static_assert(lf_decimals == self_printing_decimals);
static_assert(max_fixed_length >= max_self_printing_copy);
static_assert(max_echo_line_length <= BufferedOutput::min_block_size &&
              max_output_row_length <= BufferedOutput::min_block_size);
// A spelling is copied in whole blocks from the reader's buffer, past the
// record's end where it is the last field.
static_assert(record_padding >= self_printing_window);

char* format_lf(char* out, double value, const SelfPrintingSpelling& spelling) noexcept {
  if (!spelling.empty()) return copy_self_printing_decimal(out, spelling.text, spelling.decimal);
  return format_fixed<lf_decimals>(out, value);
}

char* AbscissaText::copy_to(char* out) const noexcept {
  // In two 16-byte blocks where the text is as short as nearly all are.
  constexpr std::size_t blocks = 32;
  static_assert(sizeof text_ >= blocks);
  if (length_ <= blocks) {
    std::memcpy(out, text_, blocks);
  } else {
    std::memcpy(out, text_, length_);
  }
  return out + length_;
}

char* format_output_row(char* out, const AbscissaText& abscissa, double vcm) noexcept {
  out = right_align(out, abscissa.copy_to(out), abscissa_width);
  *out++ = ' ';
  out = right_align(out, format_fixed<vcm_decimals>(out, vcm), vcm_width);
  *out++ = ' ';
  *out++ = '\n';
  return out;
}

void write_output_row(BufferedOutput& table, const AbscissaText& abscissa, double vcm) noexcept {
  table.commit(format_output_row(table.reserve(max_output_row_length), abscissa, vcm));
}

void write_echo_line(BufferedOutput& transcript, const AbscissaText& abscissa, const Observation& observation,
                     const VelocitySpellings& spellings) noexcept {
  char* out = abscissa.copy_to(transcript.reserve(max_echo_line_length));
  *out++ = ' ';
  out = format_lf(out, observation.velocity1, spellings.velocity1);
  *out++ = ' ';
  out = format_lf(out, observation.velocity2, spellings.velocity2);
  *out++ = ' ';
  *out++ = '\n';
  transcript.commit(out);
}

}  // namespace eb_com
