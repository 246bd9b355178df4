// eb-com: the centre-of-mass velocity of a double-lined binary, record by
// record, from the observations in the current directory.
#include <sys/stat.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <csignal>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "buffered_output.hpp"
#include "observation.hpp"

namespace {

using eb_com::BufferedOutput;
using eb_com::Observation;

constexpr const char* banner = "\n               Program do transformacji danych\n";

// The largest and smallest vcm that is a number. Until a record gives one the
// range shows its starting values.
struct VelocityRange {
  double v_max = -100;
  double v_min = 100;
  bool seen = false;

  void add(double vcm) noexcept {
    if (std::isnan(vcm)) return;
    if (!seen || vcm > v_max) v_max = vcm;
    if (!seen || vcm < v_min) v_min = vcm;
    seen = true;
  }
};

void write_formatted(BufferedOutput& output, const char* format, ...) __attribute__((format(printf, 2, 3)));

void write_formatted(BufferedOutput& output, const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  if (length > 0) output.write({text, std::min(static_cast<std::size_t>(length), sizeof text - 1)});
}

// A directory opens for reading on Linux but holds no observations; it fails
// here, before the output file is touched.
std::FILE* open_input(const char* name) {
  std::FILE* input = std::fopen(name, "r");
  struct stat status;
  if (input != nullptr && fstat(fileno(input), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(input);
    return nullptr;
  }
  return input;
}

// Ends the run early: the message, then status 1 so that scripts see it.
int fail(BufferedOutput& transcript, const char* format, const char* file_name) {
  write_formatted(transcript, format, file_name);
  transcript.flush();
  return 1;
}

}  // namespace

int main() {
  // A reader of the transcript that goes away must not end the run with the
  // table half written; the broken pipe shows up as a failed write instead.
  std::signal(SIGPIPE, SIG_IGN);

  BufferedOutput transcript(stdout);
  transcript.write(banner);
  transcript.write("\n");

  std::FILE* const input = open_input(eb_com::input_file_name);
  if (input == nullptr) return fail(transcript, "\n\nno file:%s!\n", eb_com::input_file_name);
  std::FILE* const output = std::fopen(eb_com::output_file_name, "w");
  if (output == nullptr) return fail(transcript, "\n\n  there is no file:%s!\n", eb_com::output_file_name);

  BufferedOutput table(output);
  eb_com::RecordReader reader(input);
  Observation observation;
  eb_com::FieldSpellings spellings;
  std::int64_t observation_count = 0;
  VelocityRange range;

  std::string_view record;
  while (reader.read_record(record)) {
    eb_com::parse_observation(record, observation, spellings);
    ++observation_count;
    const double vcm = eb_com::centre_of_mass_velocity(observation);
    range.add(vcm);
    eb_com::write_record_lines(transcript, table, observation, spellings, vcm);
  }

  table.flush();
  const bool read_failed = reader.read_failed();
  std::fclose(input);
  const bool write_failed = std::fclose(output) != 0 || table.failed();

  write_formatted(transcript, "\n\t liczba obserwacji = %" PRId64 "\n", observation_count);
  write_formatted(transcript, "\n\t V max = %lf\n", range.v_max);
  write_formatted(transcript, "\n\t V min = %lf\n", range.v_min);
  if (read_failed) write_formatted(transcript, "\n\nread error in file:%s!\n", eb_com::input_file_name);
  if (write_failed) write_formatted(transcript, "\n\n  write error in file:%s!\n", eb_com::output_file_name);
  transcript.flush();
  return read_failed || write_failed ? 1 : 0;
}
