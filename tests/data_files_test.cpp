#include "data_files.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform.hpp"
#include "tool_texts.hpp"

namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// A scratch folder made the working directory, and the standard output and
// error of the process pointed at files there, all restored afterwards.
class DataFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    old_directory_ = fs::current_path();
    directory_ = fs::temp_directory_path() / ("eb-com-data-files-" + std::to_string(getpid()));
    fs::create_directories(directory_);
    fs::current_path(directory_);
    std::ofstream(eb_com::input_file_name) << "1 2 3\n";
    std::ofstream(eb_com::output_file_name) << "old rows\n";
  }
  void TearDown() override {
    fs::current_path(old_directory_);
    fs::remove_all(directory_);
  }

  // Calls refuse_data_file_streams with standard output and standard error
  // appending to the named files (or a file of their own where empty).
  bool refused(std::FILE* input, const char* output_file, const char* errors_file) {
    std::fflush(stdout);
    std::fflush(stderr);
    const int saved_output = dup(STDOUT_FILENO), saved_errors = dup(STDERR_FILENO);
    const int output = open(*output_file ? output_file : "stdout", O_WRONLY | O_CREAT | O_APPEND, 0644);
    const int errors = open(*errors_file ? errors_file : "stderr", O_WRONLY | O_CREAT | O_APPEND, 0644);
    dup2(output, STDOUT_FILENO);
    dup2(errors, STDERR_FILENO);
    const bool refused = eb_com::refuse_data_file_streams(input);
    std::fflush(stdout);
    dup2(saved_output, STDOUT_FILENO);
    dup2(saved_errors, STDERR_FILENO);
    for (const int descriptor : {output, errors, saved_output, saved_errors}) close(descriptor);
    return refused;
  }

 private:
  fs::path old_directory_, directory_;
};

TEST_F(DataFiles, StandardStreamsThatAreDataFilesAreRefused) {
  const eb_com::OpenedFile input = eb_com::open_input();
  ASSERT_NE(input.stream, nullptr);
  EXPECT_FALSE(refused(input.stream, "", ""));
  EXPECT_TRUE(refused(input.stream, eb_com::output_file_name, ""));
  EXPECT_EQ(contents("stderr"), "eb-com: standard output is the table:RV_HJX12_COM-EB_itter00.dat!\n");
  fs::create_hard_link(eb_com::input_file_name, "other name");
  EXPECT_TRUE(refused(input.stream, "", "other name"));
  EXPECT_EQ(contents("stdout"), "eb-com: standard error is the input file:ZYKWo_HJX12_RV12.txt!\n");
  // Both: no stream is left for the message.
  EXPECT_TRUE(refused(input.stream, eb_com::input_file_name, eb_com::output_file_name));
  EXPECT_EQ(contents(eb_com::input_file_name), "1 2 3\n");
  EXPECT_EQ(contents(eb_com::output_file_name), "old rows\n");
  std::fclose(input.stream);
  // Without an input the table alone is guarded.
  EXPECT_TRUE(refused(nullptr, eb_com::output_file_name, ""));
}

TEST_F(DataFiles, FailuresCarryTheirMessageAndTheSystemsReason) {
  fs::remove(eb_com::input_file_name);
  eb_com::OpenedFile input = eb_com::open_input();
  EXPECT_EQ(input.stream, nullptr);
  EXPECT_STREQ(input.failure, eb_com::no_input_format);
  EXPECT_EQ(input.error, ENOENT);
  fs::create_directory(eb_com::input_file_name);
  input = eb_com::open_input();
  EXPECT_EQ(input.error, EISDIR);
  fs::remove(eb_com::input_file_name);
  fs::create_symlink(eb_com::output_file_name, eb_com::input_file_name);
  input = eb_com::open_input();
  ASSERT_NE(input.stream, nullptr);
  const eb_com::OpenedFile table = eb_com::open_table(input.stream);
  EXPECT_EQ(table.stream, nullptr);
  EXPECT_STREQ(table.failure, eb_com::table_is_input_format);
  EXPECT_EQ(table.error, 0);
  EXPECT_EQ(contents(eb_com::output_file_name), "old rows\n");
  std::fclose(input.stream);
}

// Memory running out where the opens need it (the streams' own
// allocations): each says so, and the old table is kept. In a child process
// whose heap is exhausted under a limit, so that the other tests keep theirs.
TEST_F(DataFiles, RunningOutOfMemoryNeverCostsTheOldTable) {
  if (EB_COM_ADDRESS_SANITIZER) GTEST_SKIP() << "AddressSanitizer's allocator does not run out under a limit";
#ifdef EB_COM_UNDER_EMULATOR
  GTEST_SKIP() << "under an emulator a limit on memory bounds the emulator's own";
#endif
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const eb_com::OpenedFile input = eb_com::open_input();
    const rlimit none{0, 0};
    setrlimit(RLIMIT_DATA, &none);
    // Every size class drained, free chunks kept for one size included.
    // Through a volatile, so that the compiler cannot take an allocation
    // for one that succeeds unused and drop the loop.
    for (std::size_t size = 4096; size >= 16; size -= 16) {
      void* volatile block = nullptr;
      do block = std::malloc(size);
      while (block != nullptr);
    }
    const eb_com::OpenedFile again = eb_com::open_input();
    const eb_com::OpenedFile table = eb_com::open_table(input.stream);
    const bool input_said_so = again.stream == nullptr &&
                               std::strcmp(again.failure, eb_com::out_of_memory_format) == 0 && again.error == ENOMEM;
    const bool table_said_so = table.stream == nullptr &&
                               std::strcmp(table.failure, eb_com::out_of_memory_format) == 0 && table.error == ENOMEM;
    _exit((input_said_so ? 0 : 1) | (table_said_so ? 0 : 2));
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status) & 1, 0) << "the input's open did not report the lack of memory";
  EXPECT_EQ(WEXITSTATUS(status) & 2, 0) << "the table's open did not report the lack of memory";
  EXPECT_EQ(contents(eb_com::output_file_name), "old rows\n");
}

}  // namespace
