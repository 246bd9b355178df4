#include "tool_runner.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "stdio_conversion.hpp"

namespace test_support {
namespace fs = std::filesystem;

std::string read_file(const fs::path& path) {
  std::ifstream stream(path, std::ios::binary);
  std::ostringstream content;
  content << stream.rdbuf();
  return content.str();
}

void write_file(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

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

// Starts the tool in directory with the given standard output; only calls
// that are safe between fork and exec run in the child.
pid_t start_tool(const fs::path& directory, int output, int errors, const std::vector<std::string>& arguments) {
  std::vector<std::string> words{EB_COM_EXECUTABLE};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const std::string where = directory.string();
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(where.c_str()) != 0 || dup2(output, STDOUT_FILENO) < 0 || dup2(errors, STDERR_FILENO) < 0) _exit(127);
    const int no_input = open("/dev/null", O_RDONLY);
    dup2(no_input, STDIN_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return child;
}

RunResult finish(pid_t child, const fs::path& root) {
  RunResult result;
  int status = 0;
  struct rusage usage {};
  wait4(child, &status, 0, &usage);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.peak_memory_kib = usage.ru_maxrss;
  result.errors = read_file(root / "stderr");
  if (fs::exists(root / "stdout")) result.transcript = read_file(root / "stdout");
  return result;
}

}  // namespace

RunResult ScratchDirectory::run(const std::vector<std::string>& arguments) const {
  const int output = open((root_ / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int errors = open((root_ / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const pid_t child = start_tool(work_, output, errors, arguments);
  close(output);
  close(errors);
  return finish(child, root_);
}

RunResult ScratchDirectory::run_into_pipe(const std::function<void(int)>& reader) const {
  fs::remove(root_ / "stdout");
  int ends[2];
  // Close-on-exec, so that the tool holds no read end of its own.
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  const int errors = open((root_ / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const pid_t child = start_tool(work_, ends[1], errors, {});
  close(ends[1]);
  close(errors);
  reader(ends[0]);
  close(ends[0]);
  return finish(child, root_);
}

Reference reference_conversion(const std::string& input) {
  std::FILE* in = std::tmpfile();
  std::fwrite(input.data(), 1, input.size(), in);
  std::rewind(in);
  char* table = nullptr;
  char* transcript = nullptr;
  std::size_t table_size = 0;
  std::size_t transcript_size = 0;
  std::FILE* table_stream = open_memstream(&table, &table_size);
  std::FILE* transcript_stream = open_memstream(&transcript, &transcript_size);
  std::fprintf(transcript_stream, "%s\n", stdio_reference::banner);
  stdio_reference::write_summary(transcript_stream, stdio_reference::convert(in, table_stream, transcript_stream));
  std::fclose(in);
  std::fclose(table_stream);
  std::fclose(transcript_stream);
  Reference reference{std::string(transcript, transcript_size), std::string(table, table_size)};
  std::free(table);
  std::free(transcript);
  return reference;
}

}  // namespace test_support
