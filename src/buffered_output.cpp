#include "buffered_output.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

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

namespace {

// The errno of a call that failed; EIO where it set none.
int failure_cause() noexcept { return errno != 0 ? errno : EIO; }

}  // namespace

void BufferedOutput::drain() noexcept {
  if (used_ != 0 && error_ == 0) {
    errno = 0;
    if (std::fwrite(buffer_, 1, used_, stream_) != used_) error_ = failure_cause();
  }
  used_ = 0;
}

void BufferedOutput::flush() noexcept {
  drain();
  errno = 0;
  if (error_ == 0 && std::fflush(stream_) != 0) error_ = failure_cause();
}

}  // namespace eb_com
