// Output to a stdio stream in large blocks, with a failure that sticks: once a
// write has failed, the rest is dropped and failed() says so.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace eb_com {

class BufferedOutput {
 public:
  // Fewer and larger writes cost less system time than 64 KiB blocks
  // (CONTRIBUTING.md, Performance, for the figure).
  static constexpr std::size_t capacity = std::size_t{1} << 18;
  // The least block it may be given: room for the longest line the tool
  // writes (an echo line of three of the widest numbers, 955 characters, as
  // output_lines.hpp asserts), so that reserve() always has room. The tests
  // and the fuzz target use blocks this small, so that their outputs cross
  // many.
  static constexpr std::size_t min_block_size = 1024;

  // Writes to the stream in blocks of block_size, from min_block_size to
  // capacity.
  explicit BufferedOutput(std::FILE* stream, std::size_t block_size = capacity);
  BufferedOutput(const BufferedOutput&) = delete;
  BufferedOutput& operator=(const BufferedOutput&) = delete;
  // Nothing is written on destruction: the owner flushes before it closes
  // the stream, and so learns whether the writes went through.
  ~BufferedOutput() = default;

  // Room for at least size characters (size <= min_block_size); hand the
  // end of what was written there to commit().
  char* reserve(std::size_t size) noexcept {
    assert(size <= min_block_size && "a line longer than the block would overrun it");
    if (block_size_ - used_ < size) drain();
    return buffer_ + used_;
  }
  void commit(char* end) noexcept { used_ = static_cast<std::size_t>(end - buffer_); }

  void write(std::string_view text) noexcept;

  // Hands everything buffered to the stream and flushes the stream.
  void flush() noexcept;

  bool failed() const noexcept { return error_ != 0; }
  // The errno of the write that failed, or 0.
  int error() const noexcept { return error_; }

 private:
  void drain() noexcept;

  std::FILE* stream_;
  std::size_t block_size_;
  std::size_t used_ = 0;
  int error_ = 0;
  // Part of the object, as the reader's buffer is.
  char buffer_[capacity];
};

}  // namespace eb_com
