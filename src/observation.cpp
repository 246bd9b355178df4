#include "observation.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>
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

__extension__ typedef unsigned __int128 u128;

constexpr u128 every_byte(std::uint8_t byte) noexcept {
  constexpr std::uint64_t ones = 0x0101010101010101;
  return (static_cast<u128>(ones) << 64 | ones) * byte;
}

// The high bit of every byte of x that is zero, and no other bit.
u128 zero_bytes(u128 x) noexcept {
  const u128 low_bits = every_byte(0x7F);
  return ~(((x & low_bits) + low_bits) | x | low_bits);
}

std::size_t first_marked_byte(u128 marks) noexcept {
  const auto low = static_cast<std::uint64_t>(marks);
  const auto high = static_cast<std::uint64_t>(marks >> 64);
  return static_cast<std::size_t>(low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high)) / 8;
}

// A plain decimal with at most 9 integer digits is the double nearest it to
// within 2^-24, far inside the half millionth at which "%lf" would round it
// to something else; so with at most 6 decimals "%lf" prints the spelled
// value itself, a minus sign kept even on zero. Writes that text, or returns
// nullptr for a spelling that does not decide it or has another shape
// (an exponent, a plus sign, leading zeros, no integer digit), which the
// caller formats from the value. The spelling is one the scanner took, with
// record_padding readable bytes after it: all of it is looked at in one go.
char* copy_spelling_as_lf(char* out, std::string_view spelling) noexcept {
  static_assert(std::endian::native == std::endian::little);
  constexpr std::size_t window = sizeof(u128);
  static_assert(record_padding >= window);
  constexpr std::size_t max_integer_digits = 9;
  constexpr std::size_t decimals = 6;
  const char* const text = spelling.data();
  const std::size_t length = spelling.size();
  if (length == 0 || length > window) return nullptr;

  u128 bytes;
  std::memcpy(&bytes, text, window);
  const u128 in_spelling = length == window ? ~u128{0} : (u128{1} << (8 * length)) - 1;
  const u128 points = zero_bytes(bytes ^ every_byte('.')) & in_spelling;
  // Of the characters a scanned number holds only the exponent's letter lies
  // above '9', and adding 0x46 sets the high bit of just those bytes.
  const u128 letters = (bytes + every_byte(0x46)) & every_byte(0x80) & in_spelling;
  const std::size_t point = points != 0 ? first_marked_byte(points) : length;
  const std::size_t sign = *text == '-';
  const std::size_t integer_digits = point - sign;
  const std::size_t fraction_digits = length - point - (points != 0);
  if (letters != 0 || *text == '+' || integer_digits == 0 || integer_digits > max_integer_digits ||
      fraction_digits > decimals || (text[sign] == '0' && integer_digits > 1)) {
    return nullptr;
  }

  std::memcpy(out, text, window);
  out[point] = '.';
  std::memcpy(out + point + 1 + fraction_digits, "00000000", 8);
  return out + point + 1 + decimals;
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
