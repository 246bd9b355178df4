// The two lines every record gives: its echo on the transcript,
// "%lf %lf %lf \n", and its row in the table, "%7.6lf %4.3lf \n".
#pragma once

#include <cstddef>

#include "buffered_output.hpp"
#include "numbers/fixed_point.hpp"
#include "observation.hpp"

namespace eb_com {

// The longest row and echo line: room the lines' writers need.
inline constexpr std::size_t max_output_row_length = 2 * max_fixed_length + 3;
inline constexpr std::size_t max_echo_line_length = 3 * max_fixed_length + 4;

// A row is written in two steps, so that vcm can be formatted a record late
// (conversion.cpp says why): the abscissa and its space, then, given where
// they end, vcm and the line's end. Each returns the end of what it wrote.
char* begin_output_row(char* out, const Field<false>& abscissa) noexcept;
char* end_output_row(char* out, double vcm) noexcept;
void write_output_row(BufferedOutput& table, const Field<false>& abscissa, double vcm) noexcept;

// Writes the record's line of the transcript: what the fields hold.
void write_echo_line(BufferedOutput& transcript, const Observation& observation) noexcept;

}  // namespace eb_com
