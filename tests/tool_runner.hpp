// Runs the built eb-com in a scratch directory, as a user would.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tool_texts.hpp"

namespace test_support {

inline constexpr const char* input_name = eb_com::input_file_name;

// Whether the tool runs under an emulator (a cross build's tests).
bool runs_under_emulator();
inline constexpr const char* table_name = eb_com::output_file_name;

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& content);

struct RunResult {
  int status = -1;           // the exit status, or -1 when a signal ended the run
  std::string transcript;    // standard output
  std::string errors;        // standard error
  long peak_memory_kib = 0;  // peak resident memory
};

// A fresh directory under the system's temporary one, removed afterwards.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  // A file in the directory the tool runs in, which starts empty.
  std::filesystem::path file(const char* name) const { return work_ / name; }

  struct Options {
    std::vector<std::string> arguments;
    // Standard input and output closed, as some job schedulers start programs.
    bool standard_streams_closed = false;
    // Where standard output goes instead of a file beside the directory.
    std::string transcript_path;
    // Standard output appends to that file, as `>>` does, rather than emptying it.
    bool transcript_appends = false;
    // Where standard error appends instead of a file beside the directory
    // (RunResult::errors is then empty).
    std::string errors_path;
    // Runs in the child before exec: async-signal-safe calls only.
    std::function<void()> before_exec;
  };

  // Runs the tool there, with standard output to a file unless options say
  // otherwise.
  RunResult run_with(const Options& options) const;
  RunResult run(const std::vector<std::string>& arguments = {}) const {
    Options options;
    options.arguments = arguments;
    return run_with(options);
  }

  // Runs the tool with standard output to a pipe, hands the read end's
  // descriptor to reader, and closes it when reader returns.
  RunResult run_into_pipe(const std::function<void(int)>& reader, const std::function<void()>& before_exec = {}) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path work_;
};

// What the plain stdio conversion prints and writes for input.
struct Reference {
  std::string transcript;
  std::string table;
};
Reference reference_conversion(const std::string& input);

}  // namespace test_support
