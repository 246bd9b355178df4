#include "data_files.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

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

}  // namespace
