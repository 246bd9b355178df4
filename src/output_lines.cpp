#include "output_lines.hpp"

#include <cstring>

#include "record_reader.hpp"

namespace eb_com {

static_assert(record_padding >= spelling_padding);

char* format_lf(char* out, double value, std::string_view spelling) noexcept {
  if (char* end = copy_spelling_as_lf(out, spelling)) return end;
  return format_fixed<6>(out, value);
}

char* format_output_row(char* out, std::string_view abscissa_text, double vcm) noexcept {
  std::memcpy(out, abscissa_text.data(), abscissa_text.size());
  out = right_align(out, out + abscissa_text.size(), 7);
  *out++ = ' ';
  out = right_align(out, format_fixed<3>(out, vcm), 4);
  *out++ = ' ';
  *out++ = '\n';
  return out;
}

void write_output_row(BufferedOutput& table, std::string_view abscissa_text, double vcm) noexcept {
  table.commit(format_output_row(table.reserve(max_output_row_length), abscissa_text, vcm));
}

std::string_view write_echo_line(BufferedOutput& transcript, const Observation& observation,
                                 const FieldSpellings& spellings) noexcept {
  char* const line = transcript.reserve(max_echo_line_length);
  char* out = format_lf(line, observation.abscissa, spellings.abscissa);
  const std::string_view abscissa_text(line, static_cast<std::size_t>(out - line));
  *out++ = ' ';
  out = format_lf(out, observation.velocity1, spellings.velocity1);
  *out++ = ' ';
  out = format_lf(out, observation.velocity2, spellings.velocity2);
  *out++ = ' ';
  *out++ = '\n';
  transcript.commit(out);
  return abscissa_text;
}

}  // namespace eb_com
