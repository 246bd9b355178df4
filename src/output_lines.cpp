#include "output_lines.hpp"

#include "tool_texts.hpp"

namespace eb_com {

// The tool's formats within what the formatter is made for.
static_assert(vcm_decimals <= max_fixed_precision);
static_assert(max_echo_line_length <= BufferedOutput::min_block_size &&
              max_output_row_length <= BufferedOutput::min_block_size);

// "%7.6lf" only pads the abscissa's "%lf" text.
char* begin_output_row(char* out, const Field<false>& abscissa) noexcept {
  out = right_align(out, abscissa.copy_text(out), abscissa_width);
  *out++ = ' ';
  return out;
}

char* end_output_row(char* out, double vcm) noexcept {
  out = right_align(out, format_fixed<vcm_decimals>(out, vcm), vcm_width);
  *out++ = ' ';
  *out++ = '\n';
  return out;
}

void write_output_row(BufferedOutput& table, const Field<false>& abscissa, double vcm) noexcept {
  table.commit(end_output_row(begin_output_row(table.reserve(max_output_row_length), abscissa), vcm));
}

void write_echo_line(BufferedOutput& transcript, const Observation& observation) noexcept {
  char* out = observation.abscissa.copy_text(transcript.reserve(max_echo_line_length));
  *out++ = ' ';
  out = observation.velocity1.copy_text(out);
  *out++ = ' ';
  out = observation.velocity2.copy_text(out);
  *out++ = ' ';
  *out++ = '\n';
  transcript.commit(out);
}

}  // namespace eb_com
