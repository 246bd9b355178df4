#include "data_files.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fill_in.hpp"
#include "tool_texts.hpp"

namespace eb_com {
namespace {

// One file under two names or descriptors.
bool same_file(const struct stat& first, const struct stat& second) noexcept {
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Which data file, if any, the descriptor writes to: only a regular file can
// be one (a terminal, a pipe or /dev/null is shared by design).
const char* data_file_of(int descriptor, const struct stat* input, const struct stat* table) noexcept {
  struct stat status;
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  if (input != nullptr && same_file(status, *input)) return input_file_name;
  if (table != nullptr && same_file(status, *table)) return output_file_name;
  return nullptr;
}

}  // namespace

bool fill_standard_descriptors() noexcept {
  for (int descriptor = STDIN_FILENO; descriptor <= STDERR_FILENO; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF && open("/dev/null", O_RDWR) != descriptor) return false;
  }
  return true;
}

OpenedFile open_input() noexcept {
  std::FILE* input = std::fopen(input_file_name, "r");
  if (input == nullptr) {
    const int cause = errno;
    return {nullptr, cause == ENOMEM ? out_of_memory_format : no_input_format, cause};
  }
  struct stat status;
  if (fstat(fileno(input), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(input);
    return {nullptr, no_input_format, EISDIR};
  }
  return {input, nullptr, 0};
}

bool refuse_data_file_streams(std::FILE* input) noexcept {
  struct stat input_status, table_status;
  const bool input_known = input != nullptr && fstat(fileno(input), &input_status) == 0;
  const bool table_known = stat(output_file_name, &table_status) == 0;
  const char* const output_file =
      data_file_of(STDOUT_FILENO, input_known ? &input_status : nullptr, table_known ? &table_status : nullptr);
  const char* const errors_file =
      data_file_of(STDERR_FILENO, input_known ? &input_status : nullptr, table_known ? &table_status : nullptr);
  if (output_file == nullptr && errors_file == nullptr) return false;
  if (errors_file == nullptr) {
    fill_in_to(stderr, output_file == input_file_name ? transcript_is_input_format : transcript_is_table_format,
               output_file);
  } else if (output_file == nullptr) {
    fill_in_to(stdout, errors_file == input_file_name ? errors_are_input_format : errors_are_table_format, errors_file);
  }
  return true;
}

OpenedFile open_table(std::FILE* input) noexcept {
  const int descriptor = open(output_file_name, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor < 0) return {nullptr, no_table_format, errno};
  // A table that cannot be looked at is not emptied either: it might be
  // the input.
  struct stat table_status, input_status;
  if (fstat(descriptor, &table_status) != 0 || fstat(fileno(input), &input_status) != 0) {
    const int cause = errno;
    close(descriptor);
    return {nullptr, no_table_format, cause};
  }
  if (same_file(table_status, input_status)) {
    close(descriptor);
    return {nullptr, table_is_input_format, 0};
  }
  std::FILE* table = fdopen(descriptor, "w");
  if (table == nullptr) {
    const int cause = errno;
    close(descriptor);
    return {nullptr, cause == ENOMEM ? out_of_memory_format : no_table_format, cause};
  }
  if (S_ISREG(table_status.st_mode) && ftruncate(descriptor, 0) != 0) {
    const int cause = errno;
    std::fclose(table);
    return {nullptr, no_table_format, cause};
  }
  return {table, nullptr, 0};
}

}  // namespace eb_com
