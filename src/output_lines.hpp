// The two lines every record gives: its echo on the transcript,
// "%lf %lf %lf \n", and its row in the table, "%7.6lf %4.3lf \n".
#pragma once

#include <cstddef>
#include <string_view>

#include "buffered_output.hpp"
#include "fixed_point.hpp"
#include "observation_scan.hpp"

namespace eb_com {

// The longest row and echo line; format_output_row needs that much room.
inline constexpr std::size_t max_output_row_length = 2 * max_fixed_length + 3;
inline constexpr std::size_t max_echo_line_length = 3 * max_fixed_length + 4;

// Writes "%lf" of value, given the spelling parse_observation scanned it from
// (or an empty one), and returns the end of the text. Needs room for
// max_fixed_length characters.
char* format_lf(char* out, double value, std::string_view spelling) noexcept;

// A row of the output table from the abscissa's "%lf" text, which "%7.6lf"
// only pads; returns the end of the text.
char* format_output_row(char* out, std::string_view abscissa_text, double vcm) noexcept;
void write_output_row(BufferedOutput& table, std::string_view abscissa_text, double vcm) noexcept;

// Writes the record's line of the transcript and returns the abscissa's text
// in it for the row, valid until the transcript is next written to.
std::string_view write_echo_line(BufferedOutput& transcript, const Observation& observation,
                                 const FieldSpellings& spellings) noexcept;

}  // namespace eb_com
