// eb-com: the centre-of-mass velocity of a double-lined binary, record by
// record, from the observations in the current directory.
#include <cerrno>
#include <csignal>
#include <cstdio>

#include "buffered_output.hpp"
#include "command_line.hpp"
#include "conversion.hpp"
#include "data_files.hpp"
#include "error_lines.hpp"
#include "fill_in.hpp"
#include "record_reader.hpp"
#include "record_warnings.hpp"
#include "tool_texts.hpp"

namespace {

using eb_com::BufferedOutput;

// Ends the run early: the message, the system's reason where there is one,
// then status 1 so that scripts see it.
int fail(BufferedOutput& transcript, const eb_com::OpenedFile& opened, const char* file_name) {
  eb_com::fill_in_to(transcript, opened.failure, file_name);
  transcript.flush();
  if (opened.error != 0) eb_com::report_system_error(file_name, opened.error);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader of the transcript that goes away, or a limit on the size of
  // files, must not end the run with the table half written: each shows up
  // as a failed write instead.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  if (!eb_com::fill_standard_descriptors()) return 1;
  if (const int status = eb_com::answer_command_line(argc, argv); status >= 0) return status;
  // The run buffers its output itself, in blocks of its own.
  std::setvbuf(stdout, nullptr, _IONBF, 0);

  // The input is opened before the banner is written, so that not even the
  // banner lands in a data file that is standard output too.
  const eb_com::OpenedFile input = eb_com::open_input();
  if (eb_com::refuse_data_file_streams(input.stream)) return 1;
  // Every buffer is in static storage, there from the start: nothing is
  // allocated once the table has been emptied.
  static BufferedOutput transcript(stdout);
  transcript.write(eb_com::banner);
  transcript.write("\n");
  if (input.stream == nullptr) return fail(transcript, input, eb_com::input_file_name);
  std::setvbuf(input.stream, nullptr, _IONBF, 0);
  static eb_com::RecordReader reader(input.stream);
  const eb_com::OpenedFile table_file = eb_com::open_table(input.stream);
  if (table_file.stream == nullptr) return fail(transcript, table_file, eb_com::output_file_name);
  std::setvbuf(table_file.stream, nullptr, _IONBF, 0);
  static BufferedOutput table(table_file.stream);

  eb_com::RecordWarnings warnings(stderr);
  const eb_com::ConversionSummary summary = eb_com::convert_records(reader, table, transcript, warnings);
  table.flush();
  std::fclose(input.stream);
  errno = 0;
  const int close_error = std::fclose(table_file.stream) != 0 ? eb_com::failure_errno() : 0;
  const int write_error = table.failed() ? table.error() : close_error;

  eb_com::write_summary(transcript, summary);
  if (summary.read_error != 0) eb_com::fill_in_to(transcript, eb_com::read_error_format, eb_com::input_file_name);
  if (write_error != 0) eb_com::fill_in_to(transcript, eb_com::write_error_format, eb_com::output_file_name);
  transcript.flush();
  // After the transcript, so that a terminal shows it last.
  warnings.close(summary.read_error != 0);
  if (summary.read_error != 0) eb_com::report_system_error(eb_com::input_file_name, summary.read_error);
  if (write_error != 0) eb_com::report_system_error(eb_com::output_file_name, write_error);
  // A reader that went away was decided to be no failure; a transcript that
  // could not be written for any other reason is one.
  const bool transcript_failed = transcript.failed() && transcript.error() != EPIPE;
  if (transcript_failed) eb_com::report_system_error("standard output", transcript.error());
  return summary.read_error != 0 || write_error != 0 || transcript_failed ? 1 : 0;
}
