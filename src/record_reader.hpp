// Cutting the input into records, as fgets with a buffer of 500 characters
// cuts it, but from large blocks.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

namespace eb_com {

// A line of more than this many characters, its newline counted, is cut into
// several records: a line of exactly 499 characters and its newline gives two,
// the 499 characters and then the newline alone.
inline constexpr std::size_t max_record_length = 499;

// A record is looked at in blocks of 16 bytes, past its end; this many bytes
// after every record are readable.
inline constexpr std::size_t record_padding = 32;

// Records are cut from this much input at a time; memory stays this size
// however long the file is.
inline constexpr std::size_t read_block_size = std::size_t{1} << 16;

// The least block a reader may be given: a whole record and one more byte,
// so that a record is always cut from one block. The tests and the fuzz
// target use blocks this small, so that their inputs cross many.
inline constexpr std::size_t min_read_block_size = max_record_length + 1;

// Cuts an input stream into records: up to and including the next newline, at
// most max_record_length characters, the last line with or without a newline.
class RecordReader {
 public:
  // block_size from min_read_block_size to read_block_size.
  explicit RecordReader(std::FILE* input, std::size_t block_size = read_block_size);

  // The next record, valid until the next call and followed by record_padding
  // readable bytes; false at the end of the input, or at a read error. A read
  // error ends the input as it ends fgets: the complete records read before
  // it are handed out, but not the characters of a line it cut short.
  bool read_record(std::string_view& record);

  bool read_failed() const noexcept { return read_error_ != 0; }
  // The errno of the failed read, or 0.
  int read_error() const noexcept { return read_error_; }

 private:
  void refill();

  std::FILE* input_;
  std::size_t block_size_;
  // Part of the object rather than taken from the heap: a run that holds its
  // reader in static storage cannot run out of memory half way.
  char buffer_[read_block_size + record_padding];
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool at_end_ = false;
  int read_error_ = 0;
};

}  // namespace eb_com
