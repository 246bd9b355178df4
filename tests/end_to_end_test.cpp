#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "centre_of_mass.hpp"
#include "formula_ratios.hpp"
#include "generated_records.hpp"
#include "glibc_answers.hpp"
#include "platform.hpp"
#include "tool_runner.hpp"

#define EB_COM_TEXT(x) EB_COM_TEXT_OF(x)
#define EB_COM_TEXT_OF(x) #x

namespace {

namespace fs = std::filesystem;
using test_support::generated_input;
using test_support::input_name;
using test_support::read_file;
using test_support::RunResult;
using test_support::ScratchDirectory;
using test_support::table_name;
using test_support::write_file;

// The banner is written as a line: one more newline follows it.
const std::string banner = std::string(eb_com::banner) + "\n";

std::string message(const char* format, const char* file_name) {
  char text[256];
  return {text, static_cast<std::size_t>(std::snprintf(text, sizeof text, format, file_name))};
}

const std::string no_input_message = message(eb_com::no_input_format, input_name);
const std::string no_table_message = message(eb_com::no_table_format, table_name);
const std::string write_error_message = message(eb_com::write_error_format, table_name);
const std::string empty_summary = "\n\t liczba obserwacji = 0\n\n\t V max = -100.000000\n\n\t V min = 100.000000\n";

// The line on standard error that gives the system's reason.
std::string reason(const std::string& subject, int error) {
  return "eb-com: " + subject + ": " + std::strerror(error) + "\n";
}

// Standard error after a run on records of every shape: at most ten
// warnings, then their count, then the closing line, nothing else.
void expect_only_warnings(const std::string& errors) {
  std::istringstream lines(errors);
  int count = 0;
  std::string line;
  for (; std::getline(lines, line) && line.starts_with("eb-com: line "); ++count) {
  }
  EXPECT_LE(count, 10);
  if (count == 10 && line.ends_with(" more warnings not shown")) std::getline(lines, line);
  if (!errors.empty()) {
    EXPECT_TRUE(line.ends_with(" not read whole (see the warnings above)") || line.ends_with(" is empty too")) << line;
  }
  EXPECT_FALSE(std::getline(lines, line)) << line;
}

// Converts input in a scratch directory and checks the run against the plain
// stdio conversion: the transcript, the table, status 0, nothing on stderr.
void expect_as_reference(const std::string& input) {
  ScratchDirectory scratch;
  write_file(scratch.file(input_name), input);
  const RunResult run = scratch.run();
  const test_support::Reference reference = test_support::reference_conversion(input);
  EXPECT_EQ(run.status, 0);
  expect_only_warnings(run.errors);
  EXPECT_EQ(run.transcript, reference.transcript);
  EXPECT_EQ(read_file(scratch.file(table_name)), reference.table);
}

// The whole transcript, byte for byte, as users and their scripts see it.
TEST(ToolConversion, TheWorkedRecord) {
  if (eb_com::mass_ratio != formula_ratios::default_ratio) GTEST_SKIP() << "the worked record is for the default ratio";
  ScratchDirectory scratch;
  write_file(scratch.file(input_name), "10 -50 40\n");
  const RunResult run = scratch.run();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.transcript, std::string("\n               Program do transformacji danych\n\n") +
                                "10.000000 -50.000000 40.000000 \n" +
                                "\n\t liczba obserwacji = 1\n\n\t V max = -7.120419\n\n\t V min = -7.120419\n");
  EXPECT_EQ(read_file(scratch.file(table_name)), "10.000000 -7.120 \n");
}

TEST(ToolConversion, AgreesWithThePlainStdioConversion) {
  SKIP_UNLESS_GLIBC();
  expect_as_reference(generated_input(7, 400000));
  expect_as_reference("");
  expect_as_reference("JD v1 v2\n10 -50 40\n\n1.5 20\n");
  expect_as_reference(std::string(2000, '3') + "\n");
  expect_as_reference(std::string("\0\0\0\n\xff\n", 6));
}

// --help and --version answer and touch no file; any other argument, a
// file name above all, is refused with status 2 before a file is opened.
TEST(ToolCommandLine, OnlyHelpAndVersionAreTakenAndNeitherTouchesAFile) {
  ScratchDirectory scratch;
  write_file(scratch.file(input_name), "1 2 3\n");
  write_file(scratch.file(table_name), "old rows\n");
  const std::string ratio = EB_COM_TEXT(EB_COM_MASS_RATIO);
  const RunResult version = scratch.run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.transcript, "eb-com " EB_COM_VERSION " (mass ratio q = M2/M1 = " + ratio + ")\n");
  const RunResult help = scratch.run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const std::string& said :
       {"q = M2/M1 = " + ratio + "\n", std::string(input_name), std::string(table_name), std::string("man eb-com")}) {
    EXPECT_NE(help.transcript.find(said), std::string::npos) << said;
  }
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"myfile.txt"}, {"-h"}, {"--help", "x"}, {"--version", "--help"}}) {
    const RunResult refused = scratch.run(arguments);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.transcript, "");
    EXPECT_TRUE(refused.errors.starts_with("eb-com: unexpected argument '" + arguments.back() + "'"));
    EXPECT_TRUE(refused.errors.ends_with("(see eb-com --help)\n")) << refused.errors;
  }
  EXPECT_EQ(version.errors + help.errors, "");
  EXPECT_EQ(read_file(scratch.file(table_name)), "old rows\n");
}

// Each line the scan does not read whole is named on standard error; the
// table, the transcript and the status are those of a run without warnings.
TEST(ToolWarnings, NameTheLinesNotReadWhole) {
  ScratchDirectory scratch;
  const std::string input = "JD v1 v2\n10 -50 40\n\n2458004.51826, -48.654, 88.841\n1 2 3 0.5 0.6\n\t4 5 6\r\n" +
                            std::string(600, ' ') + "7 8 9\n1.5 20\n";
  write_file(scratch.file(input_name), input);
  const RunResult run = scratch.run();
  EXPECT_EQ(run.status, 0);
  const test_support::Reference reference = test_support::reference_conversion(input);
  EXPECT_EQ(run.transcript, reference.transcript);
  EXPECT_EQ(read_file(scratch.file(table_name)), reference.table);
  EXPECT_EQ(run.errors,
            "eb-com: line 1: 0 of 3 numbers read; the abscissa, velocity 1 and velocity 2 still unset (nan)\n"
            "eb-com: line 3: 0 of 3 numbers read; the abscissa, velocity 1 and velocity 2 kept from line 2\n"
            "eb-com: line 4: 1 of 3 numbers read; velocity 1 and velocity 2 kept from line 2\n"
            "eb-com: line 5: 5 numbers where 3 are read: the third, 3, is read as velocity 2 and the rest ignored "
            "(remove any columns of errors)\n"
            "eb-com: line 7: 0 of 3 numbers read; the abscissa, velocity 1 and velocity 2 kept from line 6\n"
            "eb-com: line 7: longer than 499 characters, read as several records\n"
            "eb-com: line 8: 2 of 3 numbers read; velocity 2 kept from line 7\n"
            "eb-com: 6 of 8 lines of ZYKWo_HJX12_RV12.txt not read whole (see the warnings above)\n");
}

// With both streams on one terminal, the count of lines not read whole comes
// after the transcript, where it is not scrolled away.
TEST(ToolWarnings, TenAtMostThenTheirCountAndAtTheEndTheLines) {
  ScratchDirectory scratch;
  write_file(scratch.file(input_name), std::string(25, '\n') + "1 2 3\n");
  ScratchDirectory::Options both_on_one;
  both_on_one.transcript_path = both_on_one.errors_path = scratch.file("terminal").string();
  both_on_one.transcript_appends = true;
  EXPECT_EQ(scratch.run_with(both_on_one).status, 0);
  std::istringstream lines(read_file(scratch.file("terminal")));
  std::string line;
  for (int i = 1; i <= 10; ++i) {
    std::getline(lines, line);
    EXPECT_TRUE(line.starts_with("eb-com: line " + std::to_string(i) + ": 0 of 3")) << line;
  }
  std::getline(lines, line);
  EXPECT_EQ(line, "eb-com: 15 more warnings not shown");
  std::string rest(std::istreambuf_iterator<char>(lines), {});
  const std::string closing =
      "eb-com: 25 of 26 lines of ZYKWo_HJX12_RV12.txt not read whole (see the warnings above)\n";
  EXPECT_TRUE(rest.ends_with(closing)) << rest;
  EXPECT_LT(rest.find("\t V min = "), rest.find(closing));
}

TEST(ToolConversion, AnEmptyInputEmptiesAnOldTable) {
  ScratchDirectory scratch;
  write_file(scratch.file(input_name), "");
  write_file(scratch.file(table_name), "old rows\n");
  const RunResult run = scratch.run();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.transcript, banner + empty_summary);
  EXPECT_EQ(run.errors, "eb-com: ZYKWo_HJX12_RV12.txt is empty, so the table is empty too\n");
  EXPECT_EQ(read_file(scratch.file(table_name)), "");
}

TEST(ToolConversion, TheSummaryShowsTheRangeOfVcmBeyondTheStartingValues) {
  ScratchDirectory scratch;
  write_file(scratch.file(input_name), "1 -300 -300\n2 nan 1\n3 500 500\n4 20 20\n");
  const RunResult run = scratch.run();
  EXPECT_NE(run.transcript.find("\n\t liczba obserwacji = 4\n\n\t V max = 500.000000\n\n\t V min = -300.000000\n"),
            std::string::npos);
}

TEST(ToolConversion, AHeadingLineShowsNanRatherThanInventedZeros) {
  ScratchDirectory scratch;
  write_file(scratch.file(input_name), "JD v1 v2\n1 2 3\n");
  const RunResult run = scratch.run();
  char second_row[64];
  std::snprintf(second_row, sizeof second_row, "1.000000 %4.3lf \n", eb_com::centre_of_mass_velocity(2, 3));
  EXPECT_EQ(read_file(scratch.file(table_name)), std::string("    nan  nan \n") + second_row);
  EXPECT_NE(run.transcript.find(banner + "nan nan nan \n1.000000 2.000000 3.000000 \n"), std::string::npos);
}

// The sample is a circular orbit with K1 = 0.91 K2, whose centre of mass moves
// at the systemic velocity: every row must show it to within the noise. A
// clean file, it gives no warning.
TEST(ToolConversion, TheSampleGivesTheSystemicVelocityOnEveryRowAndNoWarning) {
  ScratchDirectory scratch;
  fs::copy_file(EB_COM_SAMPLE, scratch.file(input_name));
  const RunResult run = scratch.run();
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "");
  if (eb_com::mass_ratio != formula_ratios::default_ratio)
    GTEST_SKIP() << "the sample is an orbit for the default ratio";
  std::istringstream table(read_file(scratch.file(table_name)));
  int rows = 0;
  for (double time, vcm; table >> time >> vcm; ++rows) EXPECT_NEAR(vcm, -12.3, 0.06) << "at " << time;
  EXPECT_EQ(rows, 40);
}

TEST(ToolFailures, AMissingInputIsReportedAndNoTableIsMade) {
  ScratchDirectory scratch;
  const RunResult run = scratch.run();
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.transcript, banner + no_input_message);
  EXPECT_EQ(run.errors, reason(input_name, ENOENT));
  EXPECT_FALSE(fs::exists(scratch.file(table_name)));
}

// An input that cannot be read leaves an old table as it was, bytes and time.
TEST(ToolFailures, AnUnreadableInputLeavesAnOldTableUntouched) {
  for (const bool input_is_directory : {false, true}) {
    ScratchDirectory scratch;
    if (input_is_directory) fs::create_directory(scratch.file(input_name));
    write_file(scratch.file(table_name), "1.000000 2.000 \n");
    const auto old_time = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(scratch.file(table_name), old_time);
    const RunResult run = scratch.run();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.transcript, banner + no_input_message);
    EXPECT_EQ(run.errors, reason(input_name, input_is_directory ? EISDIR : ENOENT));
    EXPECT_EQ(read_file(scratch.file(table_name)), "1.000000 2.000 \n");
    EXPECT_EQ(fs::last_write_time(scratch.file(table_name)), old_time);
  }
}

TEST(ToolFailures, ATableThatCannotBeCreatedIsReported) {
  ScratchDirectory scratch;
  write_file(scratch.file(input_name), "1 2 3\n");
  fs::create_directory(scratch.file(table_name));
  const RunResult run = scratch.run();
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.transcript, banner + no_table_message);
  EXPECT_EQ(run.errors, reason(table_name, EISDIR));
}

TEST(ToolFailures, AFullDiskIsReportedAfterTheSummary) {
  if (!eb_com::system_has_dev_full) GTEST_SKIP() << "no /dev/full here";
  ScratchDirectory scratch;
  write_file(scratch.file(input_name), "10 -50 40\n");
  fs::create_symlink("/dev/full", scratch.file(table_name));
  const RunResult run = scratch.run();
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.transcript, test_support::reference_conversion("10 -50 40\n").transcript + write_error_message);
  EXPECT_EQ(run.errors, reason(table_name, ENOSPC));
}

// The process's own memory opens for reading, but its first page is not
// mapped, so the first read fails.
TEST(ToolFailures, AReadErrorIsReportedAfterTheSummary) {
  if (!eb_com::system_has_unreadable_proc_self_mem) GTEST_SKIP() << "no /proc/self/mem here to fail a read";
  ScratchDirectory scratch;
  fs::create_symlink("/proc/self/mem", scratch.file(input_name));
  const RunResult run = scratch.run();
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.transcript, banner + empty_summary + message(eb_com::read_error_format, input_name));
  EXPECT_EQ(run.errors, reason(input_name, EIO));
  EXPECT_EQ(read_file(scratch.file(table_name)), "");
}

TEST(ToolStreams, AReaderOfTheTranscriptThatGoesAwayDoesNotCutTheTable) {
  ScratchDirectory scratch;
  const std::string input = generated_input(8, 3000000);
  write_file(scratch.file(input_name), input);
  std::string head;
  const RunResult run = scratch.run_into_pipe([&](int transcript) {
    char text[200];
    const ssize_t got = read(transcript, text, sizeof text);
    if (got > 0) head.assign(text, static_cast<std::size_t>(got));
  });
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(head.substr(0, banner.size()), banner);
  EXPECT_EQ(read_file(scratch.file(table_name)), test_support::reference_conversion(input).table);
}

TEST(ToolStreams, AnInputFifoWhoseWriterStopsEarlyIsConvertedAsFarAsItGoes) {
  ScratchDirectory scratch;
  ASSERT_EQ(mkfifo(scratch.file(input_name).c_str(), 0600), 0);
  std::thread writer([&] {
    const int fifo = open(scratch.file(input_name).c_str(), O_WRONLY);
    const std::string part = "1 2 3\n4 5";
    EXPECT_EQ(write(fifo, part.data(), part.size()), static_cast<ssize_t>(part.size()));
    close(fifo);
  });
  const RunResult run = scratch.run();
  writer.join();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(read_file(scratch.file(table_name)), test_support::reference_conversion("1 2 3\n4 5").table);
  EXPECT_NE(run.transcript.find("liczba obserwacji = 2\n"), std::string::npos);
}

// Every run below must leave the table either as the plain conversion writes
// it or, where the run could not convert, an old one as it was.
constexpr const char* old_table = "1.000000 2.000 \n";

TEST(ToolEnvironment, ClosedStandardStreamsKeepTheTranscriptOutOfTheTable) {
  ScratchDirectory scratch;
  const std::string input = generated_input(9, 200000);
  write_file(scratch.file(input_name), input);
  ScratchDirectory::Options options;
  options.standard_streams_closed = true;
  const RunResult run = scratch.run_with(options);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(read_file(scratch.file(table_name)), test_support::reference_conversion(input).table);
}

TEST(ToolEnvironment, ATranscriptThatCannotBeWrittenEndsWithStatus1) {
  if (!eb_com::system_has_dev_full) GTEST_SKIP() << "no /dev/full here";
  ScratchDirectory scratch;
  const std::string input = generated_input(10, 200000);
  write_file(scratch.file(input_name), input);
  ScratchDirectory::Options options;
  options.transcript_path = "/dev/full";
  const RunResult run = scratch.run_with(options);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.errors.ends_with(reason("standard output", ENOSPC))) << run.errors;
  EXPECT_EQ(read_file(scratch.file(table_name)), test_support::reference_conversion(input).table);
}

// Opening the table for writing would empty the input before a line is read.
TEST(ToolEnvironment, ATableThatIsTheInputUnderAnotherNameIsNotOpened) {
  const std::string input = "10 -50 40\n";
  for (const std::string link : {"symbolic", "hard", "input to table"}) {
    ScratchDirectory scratch;
    if (link == "input to table") {
      write_file(scratch.file(table_name), input);
      fs::create_symlink(table_name, scratch.file(input_name));
    } else {
      write_file(scratch.file(input_name), input);
      if (link == "symbolic") fs::create_symlink(input_name, scratch.file(table_name));
      if (link == "hard") fs::create_hard_link(scratch.file(input_name), scratch.file(table_name));
    }
    const RunResult run = scratch.run();
    EXPECT_EQ(run.status, 1) << link;
    EXPECT_EQ(run.transcript, banner + message(eb_com::table_is_input_format, table_name)) << link;
    EXPECT_EQ(read_file(scratch.file(input_name)), input) << link;
  }
}

// `eb-com >> input` would read its own transcript back without end, and
// `eb-com >> table` or `2>> input` write into a data file: each is refused
// before anything is written, the message on the other stream. Bounded by a
// limit on file sizes, so that a run that does not refuse still ends.
TEST(ToolRedirections, AStandardStreamThatIsADataFileIsRefusedBeforeAnythingIsWritten) {
  struct Case {
    bool errors_redirected;
    const char* file;
    const char* format;
  };
  for (const Case& redirection : {Case{false, input_name, eb_com::transcript_is_input_format},
                                  Case{false, table_name, eb_com::transcript_is_table_format},
                                  Case{true, input_name, eb_com::errors_are_input_format},
                                  Case{true, table_name, eb_com::errors_are_table_format}}) {
    ScratchDirectory scratch;
    const std::string input = generated_input(12, 3000);
    write_file(scratch.file(input_name), input);
    write_file(scratch.file(table_name), old_table);
    ScratchDirectory::Options options;
    // Under another name: a link to the file.
    fs::create_symlink(redirection.file, scratch.file("link"));
    (redirection.errors_redirected ? options.errors_path : options.transcript_path) = scratch.file("link").string();
    options.transcript_appends = true;
    options.before_exec = [] {
      const rlimit file_size{1 << 20, 1 << 20};
      setrlimit(RLIMIT_FSIZE, &file_size);
    };
    const RunResult run = scratch.run_with(options);
    EXPECT_EQ(run.status, 1) << redirection.format;
    EXPECT_EQ(redirection.errors_redirected ? run.transcript : run.errors,
              message(redirection.format, redirection.file));
    EXPECT_EQ(read_file(scratch.file(input_name)), input);
    EXPECT_EQ(read_file(scratch.file(table_name)), old_table);
  }
}

TEST(ToolEnvironment, AFileSizeLimitIsReportedAsAWriteError) {
  ScratchDirectory scratch;
  const std::string input = generated_input(11, 100000);
  write_file(scratch.file(input_name), input);
  constexpr rlim_t limit = 5000;
  std::string transcript;
  const RunResult run = scratch.run_into_pipe(
      [&](int pipe) {
        char text[65536];
        for (ssize_t got; (got = read(pipe, text, sizeof text)) > 0;)
          transcript.append(text, static_cast<std::size_t>(got));
      },
      [] {
        const rlimit file_size{limit, limit};
        setrlimit(RLIMIT_FSIZE, &file_size);
      });
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(transcript.ends_with(write_error_message));
  EXPECT_NE(transcript.find("liczba obserwacji"), std::string::npos);
  const std::string table = read_file(scratch.file(table_name));
  EXPECT_EQ(table.size(), limit);
  EXPECT_EQ(table, test_support::reference_conversion(input).table.substr(0, limit));
}

// From limits under which the program cannot even start to ones under which
// it converts the whole input: none costs the old table. (The program takes
// its buffers when it starts, so a limit stops it there or not at all; the
// streams' own allocations failing are DataFiles' unit test.)
TEST(ToolEnvironment, NoLimitOnMemoryCostsTheOldTable) {
  ScratchDirectory scratch;
  const std::string input = "10 -50 40\n1.5 20\n";
  write_file(scratch.file(input_name), input);
  const std::string converted = test_support::reference_conversion(input).table;
  rlim_t refused_under = 0, converted_under = 0;
  for (rlim_t limit = 256 << 10; limit <= 16 << 20; limit += 256 << 10) {
    write_file(scratch.file(table_name), old_table);
    ScratchDirectory::Options options;
    options.before_exec = [limit] {
      const rlimit address_space{limit, limit};
      setrlimit(RLIMIT_AS, &address_space);
    };
    const RunResult run = scratch.run_with(options);
    const std::string table = read_file(scratch.file(table_name));
    if (run.status == 0) {
      EXPECT_EQ(table, converted) << "limit " << limit;
    } else {
      EXPECT_EQ(table, old_table) << "limit " << limit << ", status " << run.status;
    }
    if (run.transcript.find("not enough memory") != std::string::npos) {
      EXPECT_EQ(run.status, 1);
    }
    (run.status == 0 ? converted_under : refused_under) = limit;
  }
  // The limits span both: the test saw the program stopped and converting.
  // An emulator or AddressSanitizer needs more than any of them.
  if (!test_support::runs_under_emulator() && !EB_COM_ADDRESS_SANITIZER) {
    EXPECT_NE(refused_under, 0u);
    EXPECT_NE(converted_under, 0u);
  }
}

}  // namespace
