// eb-com: the centre-of-mass velocity of a double-lined binary, record by
// record, from the observations in the current directory.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string_view>

#include "buffered_output.hpp"
#include "conversion.hpp"
#include "fixed_point.hpp"
#include "record_reader.hpp"
#include "tool_texts.hpp"

namespace {

using eb_com::BufferedOutput;

// Hands write the pieces of format with its one conversion ("%s", "%lld"
// or "%lf") replaced by text.
template <typename Write>
void fill_in(std::string_view format, std::string_view text, Write write) {
  const std::size_t conversion = format.find('%');
  const std::size_t after = format.find_first_of("sdf", conversion) + 1;
  write(format.substr(0, conversion));
  write(text);
  write(format.substr(after));
}

void write_formatted(BufferedOutput& output, const char* format, std::string_view text) {
  fill_in(format, text, [&output](std::string_view piece) { output.write(piece); });
}

void write_formatted(BufferedOutput& output, const char* format, long long count) {
  char text[20];
  const char* end = eb_com::format_integer(text, static_cast<std::uint64_t>(count));
  write_formatted(output, format, std::string_view(text, static_cast<std::size_t>(end - text)));
}

void write_formatted(BufferedOutput& output, const char* format, double value) {
  char text[eb_com::max_fixed_length];
  const char* end = eb_com::format_fixed<eb_com::lf_decimals>(text, value);
  write_formatted(output, format, std::string_view(text, static_cast<std::size_t>(end - text)));
}

// Started with a standard descriptor closed, as some job schedulers start
// programs, a data file opened later would take its number: the transcript
// would be written into the table. /dev/null fills each gap first.
bool fill_standard_descriptors() {
  for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF && open("/dev/null", O_RDWR) != descriptor) return false;
  }
  return true;
}

// Ends the run early: the message, then status 1 so that scripts see it.
int fail(BufferedOutput& transcript, const char* format, const char* file_name) {
  write_formatted(transcript, format, file_name);
  transcript.flush();
  return 1;
}

struct Opened {
  std::FILE* stream = nullptr;
  const char* failure = nullptr;  // the message when stream is null
};

// A directory opens for reading on Linux but holds no observations; it fails
// here, before the output file is touched.
Opened open_input() {
  std::FILE* input = std::fopen(eb_com::input_file_name, "r");
  if (input == nullptr) return {nullptr, errno == ENOMEM ? eb_com::out_of_memory_format : eb_com::no_input_format};
  struct stat status;
  if (fstat(fileno(input), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(input);
    return {nullptr, eb_com::no_input_format};
  }
  return {input, nullptr};
}

// One file under two names or descriptors.
bool same_file(const struct stat& first, const struct stat& second) {
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Opens the table as mode "w" does, but empties it only once it is known not
// to be the input under another name (a link either way), and once its stream
// exists, so that neither check nor a lack of memory can cost the old table.
// A FIFO or a device is written as it is.
Opened open_table(std::FILE* input) {
  const int descriptor = open(eb_com::output_file_name, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor < 0) return {nullptr, eb_com::no_table_format};
  // A table that cannot be looked at is not emptied either: it might be
  // the input.
  struct stat table_status, input_status;
  if (fstat(descriptor, &table_status) != 0 || fstat(fileno(input), &input_status) != 0) {
    close(descriptor);
    return {nullptr, eb_com::no_table_format};
  }
  if (same_file(table_status, input_status)) {
    close(descriptor);
    return {nullptr, eb_com::table_is_input_format};
  }
  std::FILE* table = fdopen(descriptor, "w");
  if (table == nullptr) {
    const int cause = errno;
    close(descriptor);
    return {nullptr, cause == ENOMEM ? eb_com::out_of_memory_format : eb_com::no_table_format};
  }
  if (S_ISREG(table_status.st_mode) && ftruncate(descriptor, 0) != 0) {
    std::fclose(table);
    return {nullptr, eb_com::no_table_format};
  }
  return {table, nullptr};
}

// `eb-com >> input`: the run would read its own transcript back as
// observations and grow the input until the disk is full.
bool is_same_regular_file(int descriptor, std::FILE* stream) {
  struct stat first, second;
  return fstat(descriptor, &first) == 0 && fstat(fileno(stream), &second) == 0 && S_ISREG(first.st_mode) &&
         same_file(first, second);
}

}  // namespace

int main() {
  // A reader of the transcript that goes away, or a limit on the size of
  // files, must not end the run with the table half written: each shows up
  // as a failed write instead.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  if (!fill_standard_descriptors()) return 1;
  // The run buffers its output itself, in blocks of its own.
  std::setvbuf(stdout, nullptr, _IONBF, 0);

  // The input is opened before the banner is written, so that not even the
  // banner lands in an input that is standard output too.
  const Opened input = open_input();
  if (input.stream != nullptr && is_same_regular_file(STDOUT_FILENO, input.stream)) {
    fill_in(eb_com::transcript_is_input_format, eb_com::input_file_name,
            [](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), stderr); });
    return 1;
  }
  // Every buffer is in static storage, there from the start: nothing is
  // allocated once the table has been emptied.
  static BufferedOutput transcript(stdout);
  transcript.write(eb_com::banner);
  transcript.write("\n");
  if (input.stream == nullptr) return fail(transcript, input.failure, eb_com::input_file_name);
  std::setvbuf(input.stream, nullptr, _IONBF, 0);
  static eb_com::RecordReader reader(input.stream);
  const Opened output = open_table(input.stream);
  if (output.stream == nullptr) return fail(transcript, output.failure, eb_com::output_file_name);
  std::setvbuf(output.stream, nullptr, _IONBF, 0);
  static BufferedOutput table(output.stream);

  const eb_com::ConversionSummary summary = eb_com::convert_records(reader, table, transcript);
  table.flush();
  std::fclose(input.stream);
  const bool write_failed = std::fclose(output.stream) != 0 || table.failed();

  write_formatted(transcript, eb_com::count_format, summary.observation_count);
  write_formatted(transcript, eb_com::v_max_format, summary.v_max);
  write_formatted(transcript, eb_com::v_min_format, summary.v_min);
  if (summary.read_failed) write_formatted(transcript, eb_com::read_error_format, eb_com::input_file_name);
  if (write_failed) write_formatted(transcript, eb_com::write_error_format, eb_com::output_file_name);
  transcript.flush();
  // A reader that went away was decided to be no failure; a transcript that
  // could not be written for any other reason is one.
  const bool transcript_failed = transcript.failed() && transcript.error() != EPIPE;
  return summary.read_failed || write_failed || transcript_failed ? 1 : 0;
}
