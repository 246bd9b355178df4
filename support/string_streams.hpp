// Streams over strings in memory, for feeding eb-com's parts and the
// reference conversion the same bytes and comparing what they write.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace support {

// A read-only stream over a copy of bytes, NUL bytes and all; closed with the
// object.
class StringInput {
 public:
  explicit StringInput(std::string_view bytes);
  ~StringInput();
  StringInput(const StringInput&) = delete;
  StringInput& operator=(const StringInput&) = delete;

  std::FILE* stream() const { return stream_; }

 private:
  std::string bytes_;
  std::FILE* stream_;
};

// A stream that keeps every byte written to it.
class StringOutput {
 public:
  StringOutput();
  ~StringOutput();
  StringOutput(const StringOutput&) = delete;
  StringOutput& operator=(const StringOutput&) = delete;

  std::FILE* stream() const { return stream_; }
  // What was written so far; flushes the stream.
  std::string text();

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* stream_;
};

}  // namespace support
