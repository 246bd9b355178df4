#include "numbers/byte_marks.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

// The definition, a byte at a time.
template <typename Is>
unsigned marks_of(const char* p, Is is) {
  unsigned marks = 0;
  for (int i = 0; i < eb_com::marked_bytes; ++i) marks |= unsigned{is(static_cast<unsigned char>(p[i]))} << i;
  return marks;
}

// Every byte value at every place, among backgrounds of bytes that are and
// are not marks: the machine's own searches and the word code must both
// agree with the definition.
TEST(ByteMarks, EveryByteAtEveryPlaceAsDefined) {
  namespace detail = eb_com::byte_marks_detail;
  using Marks = unsigned (*)(const char*);
  const auto is_space = [](unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  const auto is_digit = [](unsigned char c) { return c >= '0' && c <= '9'; };
  // Each kind's marks by the machine and by the word code, and the bytes it
  // marks one at a time.
  const struct {
    Marks machine, words;
    bool (*is)(unsigned char);
  } kinds[] = {
      {eb_com::newline_marks, detail::word_equal_marks<'\n'>, [](unsigned char c) { return c == '\n'; }},
      {eb_com::point_marks, detail::word_equal_marks<'.'>, [](unsigned char c) { return c == '.'; }},
      {eb_com::zero_marks, detail::word_equal_marks<'0'>, [](unsigned char c) { return c == '0'; }},
      {eb_com::minus_marks, detail::word_equal_marks<'-'>, [](unsigned char c) { return c == '-'; }},
      {eb_com::digit_marks, detail::word_digit_marks, is_digit},
      {eb_com::space_marks, detail::word_space_marks, is_space},
  };
  std::mt19937 random(7);
  char block[eb_com::marked_bytes];
  for (int background = 0; background < 64; ++background) {
    for (char& c : block) c = "0123456789.\n-+eE \t\x80\xff\x2f\x3a\x0b\xae\x8a\x08\x0e\r\x89\xa0"[random() % 29];
    for (int place = 0; place < eb_com::marked_bytes; ++place) {
      const char kept = block[place];
      for (int value = 0; value < 256; ++value) {
        block[place] = static_cast<char>(value);
        for (const auto& kind : kinds) {
          const unsigned expected = marks_of(block, kind.is);
          ASSERT_EQ(kind.machine(block), expected) << value << " at " << place;
          ASSERT_EQ(kind.words(block), expected) << value << " at " << place;
        }
      }
      block[place] = kept;
    }
  }
}

}  // namespace
