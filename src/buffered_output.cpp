#include "buffered_output.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "error_lines.hpp"

namespace eb_com {

// The buffer is written before anything reads it, so it is left as it is.
// cppcheck-suppress uninitMemberVar
BufferedOutput::BufferedOutput(std::FILE* stream, std::size_t block_size) : stream_(stream), block_size_(block_size) {
  assert(block_size >= min_block_size && block_size <= capacity);
}

void BufferedOutput::write(std::string_view text) noexcept {
  while (!text.empty()) {
    char* out = reserve(std::min(text.size(), min_block_size));
    const std::size_t room = block_size_ - used_;
    const std::size_t part = std::min(text.size(), room);
    std::memcpy(out, text.data(), part);
    used_ += part;
    text.remove_prefix(part);
  }
}

void BufferedOutput::drain() noexcept {
  if (used_ != 0 && error_ == 0) {
    errno = 0;
    if (std::fwrite(buffer_, 1, used_, stream_) != used_) error_ = failure_errno();
  }
  used_ = 0;
}

void BufferedOutput::flush() noexcept {
  drain();
  errno = 0;
  if (error_ == 0 && std::fflush(stream_) != 0) error_ = failure_errno();
}

}  // namespace eb_com
