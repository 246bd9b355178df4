#include "string_streams.hpp"

#include <cstdlib>
#include <stdexcept>

namespace support {

// fmemopen wants a writable buffer even for reading; the terminator keeps it
// a valid one when bytes is empty.
StringInput::StringInput(std::string_view bytes) : bytes_(std::string(bytes) + '\0') {
  stream_ = fmemopen(bytes_.data(), bytes.size(), "r");
  if (stream_ == nullptr) throw std::runtime_error("fmemopen failed");
}

StringInput::~StringInput() { std::fclose(stream_); }

StringOutput::StringOutput() : stream_(open_memstream(&data_, &size_)) {
  if (stream_ == nullptr) throw std::runtime_error("open_memstream failed");
}

StringOutput::~StringOutput() {
  std::fclose(stream_);
  std::free(data_);
}

std::string StringOutput::text() {
  std::fflush(stream_);
  return {data_, size_};
}

}  // namespace support
