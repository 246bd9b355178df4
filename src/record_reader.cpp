#include "record_reader.hpp"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "error_lines.hpp"
#include "numbers/byte_marks.hpp"

namespace eb_com {

static_assert(read_block_size > max_record_length);
static_assert(marked_bytes == 16 && record_padding >= marked_bytes,
              "find_newline reads a 16-byte block past the window");

namespace {

// Where the first newline among the window bytes at first is, or nullptr.
// Nearly every record is shorter than 32 characters: those are looked at in
// two blocks of 16 marked bytes, inline, and only longer ones by memchr.
// Reads up to 32 bytes, past the window where it is shorter: the window has
// at least 16 readable bytes after it, and the second block is read only
// where the window is longer than 16.
const char* find_newline(const char* first, std::size_t window) noexcept {
  assert(window <= max_record_length);
  std::uint32_t marks = newline_marks(first);
  if (window > 16) marks |= static_cast<std::uint32_t>(newline_marks(first + 16)) << 16;
  if (window < 32) marks &= (std::uint32_t{1} << window) - 1;
  if (marks != 0) return first + std::countr_zero(marks);
  if (window <= 32) return nullptr;
  return static_cast<const char*>(std::memchr(first + 32, '\n', window - 32));
}

}  // namespace

// Zeroed once, so that the bytes the scanner reads past a record's end are
// always defined, whether stale input or padding.
RecordReader::RecordReader(std::FILE* input, std::size_t block_size)
    : input_(input), block_size_(block_size), buffer_{} {
  assert(block_size >= min_read_block_size && block_size <= read_block_size);
}

bool RecordReader::read_record(std::string_view& record) {
  for (;;) {
    const char* const first = buffer_ + begin_;
    const std::size_t available = end_ - begin_;
    const std::size_t window = std::min(available, max_record_length);
    std::size_t length = 0;
    if (const char* newline = find_newline(first, window)) {
      length = static_cast<std::size_t>(newline - first) + 1;
    } else if (window == max_record_length || (at_end_ && read_error_ == 0 && available != 0)) {
      length = window;
    } else if (at_end_) {
      return false;
    } else {
      refill();
      continue;
    }
    record = std::string_view(first, length);
    begin_ += length;
    return true;
  }
}

void RecordReader::refill() {
  const std::size_t kept = end_ - begin_;
  std::memmove(buffer_, buffer_ + begin_, kept);
  begin_ = 0;
  end_ = kept;
  const std::size_t wanted = block_size_ - kept;
  errno = 0;
  const std::size_t got = std::fread(buffer_ + kept, 1, wanted, input_);
  end_ += got;
  // fread comes back short only at the end of the input or at an error.
  if (got != wanted) {
    at_end_ = true;
    if (std::ferror(input_) != 0) read_error_ = failure_errno();
  }
}

}  // namespace eb_com
