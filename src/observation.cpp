#include "observation.hpp"

#include <algorithm>
#include <cstring>

#include "decimal_scan.hpp"

namespace eb_com {
namespace {

// Records are cut from this much input at a time; memory stays this size
// however long the file is.
constexpr std::size_t read_block_size = std::size_t{1} << 16;
static_assert(read_block_size > max_record_length);
static_assert(record_padding >= scan_padding);

// White space as the scanf family sees it in the POSIX locale.
bool is_space(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// The common case, done without sscanf: every field is a plain decimal number
// ending at white space or at the end of the scan. Fills fields[0..count) and
// their spellings and returns true, or returns false (storing nothing that
// matters) for a record that only sscanf itself may judge. Reads up to
// scan_padding bytes past the record's end.
bool scan_plain_fields(std::string_view record, double (&fields)[3], std::string_view (&spellings)[3],
                       int& count) noexcept {
  const char* p = record.data();
  const char* const last = p + record.size();
  count = 0;
  for (double& field : fields) {
    while (p != last && is_space(*p)) ++p;
    if (p == last || *p == '\0') return true;
    const char* end = scan_plain_decimal(p, last, field);
    if (end == nullptr || (end != last && *end != '\0' && !is_space(*end))) return false;
    spellings[count] = std::string_view(p, static_cast<std::size_t>(end - p));
    p = end;
    ++count;
  }
  return true;
}

// A plain decimal with at most 9 integer digits is the double nearest it to
// within 2^-24, far inside the half millionth at which "%lf" would round it
// to something else; so with at most 6 decimals "%lf" prints the spelled
// value itself, a minus sign kept even on zero. Writes that text, or returns
// nullptr for a spelling that does not decide it (an exponent, more digits).
char* copy_spelling_as_lf(char* out, std::string_view spelling) noexcept {
  constexpr std::size_t max_integer_digits = 9;
  constexpr std::size_t decimals = 6;
  const std::size_t length = spelling.size();
  std::size_t i = 0;
  const bool negative = i != length && spelling[i] == '-';
  if (i != length && (spelling[i] == '+' || spelling[i] == '-')) ++i;
  const std::size_t number_start = i;
  while (i != length && spelling[i] == '0') ++i;
  const std::size_t integer_start = i;
  while (i != length && is_digit(spelling[i])) ++i;
  const std::size_t integer_digits = i - integer_start;
  const bool has_point = i != length && spelling[i] == '.';
  i += has_point;
  const std::size_t fraction_start = i;
  while (i != length && is_digit(spelling[i])) ++i;
  const std::size_t fraction_digits = i - fraction_start;
  const bool has_digit = i - number_start > std::size_t{has_point};
  if (i != length || !has_digit || integer_digits > max_integer_digits || fraction_digits > decimals) return nullptr;

  *out = '-';
  out += negative;
  if (integer_digits == 0) *out++ = '0';
  std::memcpy(out, spelling.data() + integer_start, integer_digits);
  out += integer_digits;
  *out++ = '.';
  std::memcpy(out, "000000", decimals);
  std::memcpy(out, spelling.data() + fraction_start, fraction_digits);
  return out + decimals;
}

}  // namespace

// Zeroed once, so that the bytes the scanner reads past a record's end are
// always defined, whether stale input or padding.
RecordReader::RecordReader(std::FILE* input)
    : input_(input), buffer_(new char[read_block_size + record_padding]()) {}

bool RecordReader::read_record(std::string_view& record) {
  for (;;) {
    const char* const first = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    const std::size_t window = std::min(available, max_record_length);
    std::size_t length = 0;
    if (const void* newline = std::memchr(first, '\n', window)) {
      length = static_cast<std::size_t>(static_cast<const char*>(newline) - first) + 1;
    } else if (window == max_record_length || (at_end_ && available != 0)) {
      length = window;
    } else if (at_end_) {
      return false;
    } else {
      refill();
      continue;
    }
    record = std::string_view(first, length);
    begin_ += length;
    return true;
  }
}

void RecordReader::refill() {
  const std::size_t kept = end_ - begin_;
  std::memmove(buffer_.get(), buffer_.get() + begin_, kept);
  begin_ = 0;
  end_ = kept;
  const std::size_t wanted = read_block_size - kept;
  const std::size_t got = std::fread(buffer_.get() + kept, 1, wanted, input_);
  end_ += got;
  // fread comes back short only at the end of the input or at an error.
  if (got != wanted) {
    at_end_ = true;
    read_failed_ = std::ferror(input_) != 0;
  }
}

void parse_observation(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept {
  record = record.substr(0, max_record_length);
  double fields[3];
  std::string_view field_spellings[3];
  int count = 0;
  spellings = {};
  if (scan_plain_fields(record, fields, field_spellings, count)) {
    double* const targets[] = {&observation.abscissa, &observation.velocity1, &observation.velocity2};
    std::string_view* const spelled[] = {&spellings.abscissa, &spellings.velocity1, &spellings.velocity2};
    for (int i = 0; i < count; ++i) {
      *targets[i] = fields[i];
      *spelled[i] = field_spellings[i];
    }
    return;
  }
  // sscanf needs a terminated string; only the rare record comes here.
  char text[max_record_length + 1];
  std::memcpy(text, record.data(), record.size());
  text[record.size()] = '\0';
  std::sscanf(text, " %lf %lf %lf ", &observation.abscissa, &observation.velocity1, &observation.velocity2);
}

double centre_of_mass_velocity(const Observation& observation) noexcept {
  // Extended precision keeps the difference of two huge velocities of
  // opposite sign finite, where double arithmetic would overflow.
  const long double difference = static_cast<long double>(observation.velocity2) - observation.velocity1;
  const long double weight_sum = static_cast<long double>(mass_ratio) + 1;
  const long double shift = difference / weight_sum;
  return static_cast<double>(observation.velocity2 - shift);
}

char* format_lf(char* out, double value, std::string_view spelling) noexcept {
  if (char* end = copy_spelling_as_lf(out, spelling)) return end;
  return format_fixed(out, value, 6, 0);
}

char* format_output_row(char* out, std::string_view abscissa_text, double vcm) noexcept {
  constexpr std::size_t width = 7;
  // Only "inf", "nan" and their negatives are shorter than the width.
  if (abscissa_text.size() < width) {
    const std::size_t padding = width - abscissa_text.size();
    std::memset(out, ' ', padding);
    out += padding;
  }
  std::memcpy(out, abscissa_text.data(), abscissa_text.size());
  out += abscissa_text.size();
  *out++ = ' ';
  out = format_fixed(out, vcm, 3, 4);
  *out++ = ' ';
  *out++ = '\n';
  return out;
}

void write_record_lines(BufferedOutput& transcript, BufferedOutput& table, const Observation& observation,
                        const FieldSpellings& spellings, double vcm) noexcept {
  char* const echo = transcript.reserve(max_echo_line_length);
  char* out = format_lf(echo, observation.abscissa, spellings.abscissa);
  // The row takes the abscissa's text from the echo line, before anything
  // can flush it.
  const std::string_view abscissa_text(echo, static_cast<std::size_t>(out - echo));
  *out++ = ' ';
  out = format_lf(out, observation.velocity1, spellings.velocity1);
  *out++ = ' ';
  out = format_lf(out, observation.velocity2, spellings.velocity2);
  *out++ = ' ';
  *out++ = '\n';
  transcript.commit(out);
  table.commit(format_output_row(table.reserve(max_output_row_length), abscissa_text, vcm));
}

}  // namespace eb_com
