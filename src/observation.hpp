// One observation of a double-lined binary: its record in the input file, its
// centre-of-mass velocity and its row in the output table.
#pragma once

#include <cstddef>
#include <cstdio>
#include <limits>
#include <memory>
#include <string_view>

#include "buffered_output.hpp"
#include "fixed_point.hpp"

namespace eb_com {

inline constexpr const char* input_file_name = "ZYKWo_HJX12_RV12.txt";
inline constexpr const char* output_file_name = "RV_HJX12_COM-EB_itter00.dat";

// M2 / M1: the weight of velocity2 against velocity1 in the centre-of-mass mean.
inline constexpr double mass_ratio = 0.91;

// A line longer than this, its newline counted, is cut into several records.
inline constexpr std::size_t max_record_length = 499;

struct Observation {
  // Until a record sets them the fields are NaN, so a file whose first lines
  // hold no numbers shows "nan" rather than made-up zeros.
  double abscissa = std::numeric_limits<double>::quiet_NaN();
  double velocity1 = std::numeric_limits<double>::quiet_NaN();
  double velocity2 = std::numeric_limits<double>::quiet_NaN();
};

// The scanning and echoing read whole words past a record's end; this many
// bytes after every record must be readable.
inline constexpr std::size_t record_padding = 16;

// Cuts an input stream into records: up to and including the next newline, at
// most max_record_length characters, the last line with or without a newline.
class RecordReader {
 public:
  explicit RecordReader(std::FILE* input);

  // The next record, valid until the next call and followed by record_padding
  // readable bytes; false at the end of the input or at a read error, after
  // every character read before it was handed out.
  bool read_record(std::string_view& record);

  bool read_failed() const noexcept { return read_failed_; }

 private:
  void refill();

  std::FILE* input_;
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool at_end_ = false;
  bool read_failed_ = false;
};

// How the record spelled each field it set, as views into the record: empty
// where the scan did not reach the field or where only sscanf could read it.
struct FieldSpellings {
  std::string_view abscissa;
  std::string_view velocity1;
  std::string_view velocity2;
};

// Scans a record as std::sscanf(record, " %lf %lf %lf ", ...) does: up to three
// numbers in column order; a field the scan does not reach keeps its value. A
// NUL character ends the scan. Only the first max_record_length characters
// count, and record_padding bytes after the record must be readable.
void parse_observation(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept;

// velocity2 - (velocity2 - velocity1) / (mass_ratio + 1), in double-extended
// precision and rounded to double once: the mean of the two velocities with
// weights 1 and mass_ratio.
double centre_of_mass_velocity(const Observation& observation) noexcept;

// The longest row and echo line; the format_ functions need that much room.
inline constexpr std::size_t max_output_row_length = 2 * max_fixed_length + 3;
inline constexpr std::size_t max_echo_line_length = 3 * max_fixed_length + 4;

// Writes "%lf" of value, given the spelling parse_observation scanned it from
// (or an empty one), and returns the end of the text. Needs room for
// max_fixed_length characters, and record_padding readable bytes after the
// spelling.
char* format_lf(char* out, double value, std::string_view spelling) noexcept;

// A row of the output table, "%7.6lf %4.3lf \n", from the abscissa's "%lf"
// text, which "%7.6lf" only pads; returns the end of the text.
char* format_output_row(char* out, std::string_view abscissa_text, double vcm) noexcept;
void write_output_row(BufferedOutput& table, std::string_view abscissa_text, double vcm) noexcept;

// Writes the record's line of the transcript, "%lf %lf %lf \n", and returns
// the abscissa's text in it for the row, valid until the transcript is next
// written to.
std::string_view write_echo_line(BufferedOutput& transcript, const Observation& observation,
                                 const FieldSpellings& spellings) noexcept;

}  // namespace eb_com
