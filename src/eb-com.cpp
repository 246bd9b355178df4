// eb-com: the centre-of-mass velocity of a double-lined binary, record by
// record, from the observations in the current directory.
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdarg>
#include <cstdio>

#include "buffered_output.hpp"
#include "conversion.hpp"
#include "tool_texts.hpp"

namespace {

using eb_com::BufferedOutput;

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
  transcript.write(eb_com::banner);
  transcript.write("\n");

  std::FILE* const input = open_input(eb_com::input_file_name);
  if (input == nullptr) return fail(transcript, eb_com::no_input_format, eb_com::input_file_name);
  std::FILE* const output = std::fopen(eb_com::output_file_name, "w");
  if (output == nullptr) return fail(transcript, eb_com::no_table_format, eb_com::output_file_name);

  BufferedOutput table(output);
  const eb_com::ConversionSummary summary = eb_com::convert_records(input, table, transcript);
  table.flush();
  std::fclose(input);
  const bool write_failed = std::fclose(output) != 0 || table.failed();

  write_formatted(transcript, eb_com::count_format, summary.observation_count);
  write_formatted(transcript, eb_com::v_max_format, summary.v_max);
  write_formatted(transcript, eb_com::v_min_format, summary.v_min);
  if (summary.read_failed) write_formatted(transcript, eb_com::read_error_format, eb_com::input_file_name);
  if (write_failed) write_formatted(transcript, eb_com::write_error_format, eb_com::output_file_name);
  transcript.flush();
  return summary.read_failed || write_failed ? 1 : 0;
}
