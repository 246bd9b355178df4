#include "buffered_output.hpp"

#include <algorithm>
#include <cstring>

namespace eb_com {

BufferedOutput::BufferedOutput(std::FILE* stream) : stream_(stream), buffer_(new char[capacity]) {}

void BufferedOutput::write(std::string_view text) noexcept {
  while (!text.empty()) {
    char* out = reserve(std::min(text.size(), capacity));
    const std::size_t room = capacity - used_;
    const std::size_t part = std::min(text.size(), room);
    std::memcpy(out, text.data(), part);
    used_ += part;
    text.remove_prefix(part);
  }
}

void BufferedOutput::drain() noexcept {
  if (used_ != 0 && !failed_ && std::fwrite(buffer_.get(), 1, used_, stream_) != used_) failed_ = true;
  used_ = 0;
}

void BufferedOutput::flush() noexcept {
  drain();
  if (!failed_ && std::fflush(stream_) != 0) failed_ = true;
}

}  // namespace eb_com
