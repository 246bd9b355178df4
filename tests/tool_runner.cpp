#include "tool_runner.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "program_run.hpp"
#include "stdio_conversion.hpp"
#include "string_streams.hpp"

namespace test_support {
namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
  std::ifstream stream(path, std::ios::binary);
  std::ostringstream content;
  content << stream.rdbuf();
  return content.str();
}

void write_file(const fs::path& path, const std::string& content) { std::ofstream(path, std::ios::binary) << content; }

ScratchDirectory::ScratchDirectory() {
  std::string pattern = (fs::temp_directory_path() / "eb-com-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  work_ = root_ / "work";
  fs::create_directory(work_);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

namespace {

// The tool in directory, reading nothing on standard input, its standard
// error to a file beside the directory.
support::Launch tool_launch(const fs::path& directory, const std::vector<std::string>& arguments) {
  support::Launch launch;
  launch.program = EB_COM_EXECUTABLE;
  launch.arguments = arguments;
#ifdef EB_COM_EMULATOR
  // A cross build: the emulator, its own arguments, then the tool's.
  std::vector<std::string> words;
  for (std::string_view rest = EB_COM_EMULATOR;;) {
    const std::size_t bar = rest.find('|');
    words.emplace_back(rest.substr(0, bar));
    if (bar == std::string_view::npos) break;
    rest.remove_prefix(bar + 1);
  }
  launch.program = words.front();
  words.erase(words.begin());
  words.emplace_back(EB_COM_EXECUTABLE);
  words.insert(words.end(), arguments.begin(), arguments.end());
  launch.arguments = words;
#endif
  launch.directory = directory;
  launch.input = open("/dev/null", O_RDONLY | O_CLOEXEC);
  launch.errors = open((directory.parent_path() / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return launch;
}

RunResult finish(pid_t child, const support::Launch& launch, const fs::path& root) {
  if (launch.input >= 0) close(launch.input);
  close(launch.errors);
  RunResult result;
  const support::Exit exit = support::wait_for_program(child);
  result.status = exit.status;
  result.peak_memory_kib = exit.peak_memory_kib;
  result.errors = read_file(root / "stderr");
  if (fs::exists(root / "stdout")) result.transcript = read_file(root / "stdout");
  fs::remove(root / "stdout");
  return result;
}

}  // namespace

RunResult ScratchDirectory::run_with(const Options& options) const {
  support::Launch launch = tool_launch(work_, options.arguments);
  launch.before_exec = options.before_exec;
  const std::string transcript =
      options.transcript_path.empty() ? (root_ / "stdout").string() : options.transcript_path;
  const int mode = options.transcript_appends ? O_APPEND : O_TRUNC;
  launch.output = open(transcript.c_str(), O_WRONLY | O_CREAT | mode | O_CLOEXEC, 0644);
  if (!options.errors_path.empty()) {
    close(launch.errors);
    launch.errors = open(options.errors_path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  }
  if (options.standard_streams_closed) {
    close(launch.input);
    close(launch.output);
    launch.input = launch.output = -1;
  }
  const pid_t child = support::start_program(launch);
  if (launch.output >= 0) close(launch.output);
  return finish(child, launch, root_);
}

RunResult ScratchDirectory::run_into_pipe(const std::function<void(int)>& reader,
                                          const std::function<void()>& before_exec) const {
  fs::remove(root_ / "stdout");
  int ends[2];
  // Close-on-exec, so that the tool holds no read end of its own.
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  support::Launch launch = tool_launch(work_, {});
  launch.output = ends[1];
  launch.before_exec = before_exec;
  const pid_t child = support::start_program(launch);
  close(ends[1]);
  reader(ends[0]);
  close(ends[0]);
  return finish(child, launch, root_);
}

bool runs_under_emulator() {
#ifdef EB_COM_EMULATOR
  return true;
#else
  return false;
#endif
}

Reference reference_conversion(const std::string& input) {
  const support::StringInput in(input);
  support::StringOutput table, transcript;
  std::fprintf(transcript.stream(), "%s\n", eb_com::banner);
  stdio_conversion::write_summary(transcript.stream(),
                                  stdio_conversion::convert(in.stream(), table.stream(), transcript.stream()));
  return {transcript.text(), table.text()};
}

}  // namespace test_support
