#include "record_reader.hpp"

#include <algorithm>
#include <cstring>

namespace eb_com {

static_assert(read_block_size > max_record_length);

// Zeroed once, so that the bytes the scanner reads past a record's end are
// always defined, whether stale input or padding.
RecordReader::RecordReader(std::FILE* input) : input_(input), buffer_{} {}

bool RecordReader::read_record(std::string_view& record) {
  for (;;) {
    const char* const first = buffer_ + begin_;
    const std::size_t available = end_ - begin_;
    const std::size_t window = std::min(available, max_record_length);
    std::size_t length = 0;
    if (const void* newline = std::memchr(first, '\n', window)) {
      length = static_cast<std::size_t>(static_cast<const char*>(newline) - first) + 1;
    } else if (window == max_record_length || (at_end_ && !read_failed_ && available != 0)) {
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
  const std::size_t wanted = read_block_size - kept;
  const std::size_t got = std::fread(buffer_ + kept, 1, wanted, input_);
  end_ += got;
  // fread comes back short only at the end of the input or at an error.
  if (got != wanted) {
    at_end_ = true;
    read_failed_ = std::ferror(input_) != 0;
  }
}

}  // namespace eb_com
