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

// White space as the scanf family sees it in the POSIX locale.
bool is_space(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The common case, done without sscanf: every field is a plain decimal number
// ending at white space or at the end of the scan. Fills fields[0..count) and
// returns true, or returns false (storing nothing that matters) for a record
// that only sscanf itself may judge. Reads up to scan_padding bytes past the
// record's end.
bool scan_plain_fields(std::string_view record, double (&fields)[3], int& count) noexcept {
  const char* p = record.data();
  const char* const last = p + record.size();
  count = 0;
  for (double& field : fields) {
    while (p != last && is_space(*p)) ++p;
    if (p == last || *p == '\0') return true;
    const char* end = scan_plain_decimal(p, last, field);
    if (end == nullptr || (end != last && *end != '\0' && !is_space(*end))) return false;
    p = end;
    ++count;
  }
  return true;
}

}  // namespace

RecordReader::RecordReader(std::FILE* input) : input_(input), buffer_(new char[read_block_size]) {}

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

void parse_observation(std::string_view record, Observation& observation) noexcept {
  record = record.substr(0, max_record_length);
  // One copy serves both scanners: the fast one reads past the end in whole
  // words, sscanf needs the terminator.
  char text[max_record_length + scan_padding];
  std::memcpy(text, record.data(), record.size());
  std::memset(text + record.size(), 0, scan_padding);
  double fields[3];
  int count = 0;
  if (scan_plain_fields({text, record.size()}, fields, count)) {
    double* const targets[] = {&observation.abscissa, &observation.velocity1, &observation.velocity2};
    for (int i = 0; i < count; ++i) *targets[i] = fields[i];
    return;
  }
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

char* format_output_row(char* out, double abscissa, double vcm) noexcept {
  out = format_fixed(out, abscissa, 6, 7);
  *out++ = ' ';
  out = format_fixed(out, vcm, 3, 4);
  *out++ = ' ';
  *out++ = '\n';
  return out;
}

void write_output_row(BufferedOutput& output, double abscissa, double vcm) noexcept {
  output.commit(format_output_row(output.reserve(max_output_row_length), abscissa, vcm));
}

char* format_echo_line(char* out, const Observation& observation) noexcept {
  for (const double value : {observation.abscissa, observation.velocity1, observation.velocity2}) {
    out = format_fixed(out, value, 6, 0);
    *out++ = ' ';
  }
  *out++ = '\n';
  return out;
}

}  // namespace eb_com
