#include "record_reader.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "generated_records.hpp"
#include "platform.hpp"
#include "string_streams.hpp"

namespace {

using support::StringInput;

std::vector<std::string> records_of(const std::string& content, std::size_t block_size = eb_com::read_block_size) {
  const StringInput input(content);
  eb_com::RecordReader reader(input.stream(), block_size);
  std::vector<std::string> records;
  std::string_view record;
  while (reader.read_record(record)) records.emplace_back(record);
  EXPECT_FALSE(reader.read_failed());
  return records;
}

// fgets with a buffer of 500, the records measured by the stream position so
// that NUL bytes inside them count.
std::vector<std::string> fgets_records_of(const std::string& content) {
  const StringInput input(content);
  std::FILE* const stream = input.stream();
  std::vector<std::string> records;
  char buffer[eb_com::max_record_length + 1];
  long start = 0;
  while (std::fgets(buffer, sizeof buffer, stream) != nullptr) {
    const long end = std::ftell(stream);
    records.push_back(content.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    start = end;
  }
  return records;
}

TEST(RecordReader, LongLinesEmptyLinesAndTheLastLine) {
  using Records = std::vector<std::string>;
  const std::string line600(600, '5');
  EXPECT_EQ(records_of(line600 + "\n"), (Records{line600.substr(0, 499), line600.substr(499) + "\n"}));
  const std::string line499(499, '4');
  EXPECT_EQ(records_of(line499 + "\n"), (Records{line499, "\n"}));
  EXPECT_EQ(records_of("1 2 3\n\n4 5 6"), (Records{"1 2 3\n", "\n", "4 5 6"}));
  EXPECT_EQ(records_of(std::string("1\0 2\n3", 6)), (Records{std::string("1\0 2\n", 5), "3"}));
  EXPECT_TRUE(records_of("").empty());
}

// Several read blocks of lines from empty to over twice the record limit.
TEST(RecordReader, GeneratedFilesCutAsFgetsCutsThem) {
  for (int file = 0; file < 20; ++file) {
    const std::string content = test_support::generated_input(static_cast<std::uint64_t>(file), 300000);
    const std::vector<std::string> expected = fgets_records_of(content);
    ASSERT_EQ(records_of(content), expected) << "file " << file;
    // Blocks from the least on, so that records end at, just before and
    // just after every place in a block.
    const std::size_t block = eb_com::min_read_block_size + static_cast<std::size_t>(file) * 37;
    ASSERT_EQ(records_of(content, block), expected) << "file " << file << ", blocks of " << block;
  }
}

TEST(RecordReader, AReadErrorEndsTheInputAndIsReported) {
  std::FILE* write_only = std::fopen("/dev/null", "w");
  ASSERT_NE(write_only, nullptr);
  eb_com::RecordReader reader(write_only);
  std::string_view record;
  EXPECT_FALSE(reader.read_record(record));
  EXPECT_TRUE(reader.read_failed());
  std::fclose(write_only);
}

// A stream that gives the bytes of content up to a point, in short reads as
// a pipe does, and then fails.
struct FailingSource {
  std::string content;
  std::size_t fails_at;
  std::size_t position = 0;
};

std::FILE* failing_stream(FailingSource& source) {
#if EB_COM_HAS_FOPENCOOKIE
  cookie_io_functions_t functions{};
  functions.read = [](void* cookie, char* buffer, std::size_t size) -> ssize_t {
    auto& source = *static_cast<FailingSource*>(cookie);
    if (source.position >= source.fails_at) {
      errno = EIO;
      return -1;
    }
    const std::size_t part = std::min({size, source.fails_at - source.position, std::size_t{4096}});
    source.content.copy(buffer, part, source.position);
    source.position += part;
    return static_cast<ssize_t>(part);
  };
  return fopencookie(&source, "r", functions);
#else
  (void)source;
  return nullptr;
#endif
}

TEST(RecordReader, AReadErrorKeepsTheWholeRecordsBeforeItAndDropsACutLine) {
  if (!EB_COM_HAS_FOPENCOOKIE) GTEST_SKIP() << "no fopencookie here for a stream whose reads fail";
  std::string content;
  for (int i = 0; content.size() < 3 * eb_com::read_block_size; ++i) content += std::to_string(i) + " 2 3\n";
  // Past the first block: just after a whole line, then in the middle of one.
  const std::size_t line_end = content.find('\n', eb_com::read_block_size + 100) + 1;
  for (const std::size_t fails_at : {line_end, line_end + 3}) {
    FailingSource source{content, fails_at};
    std::FILE* stream = failing_stream(source);
    ASSERT_NE(stream, nullptr);
    eb_com::RecordReader reader(stream);
    std::string got;
    std::string_view record;
    while (reader.read_record(record)) got += record;
    EXPECT_TRUE(reader.read_failed());
    EXPECT_EQ(got, content.substr(0, line_end)) << "failing at " << fails_at;
    std::fclose(stream);
  }
}

}  // namespace
