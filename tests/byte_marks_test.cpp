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
  const auto is_newline = [](unsigned char c) { return c == '\n'; };
  const auto is_point = [](unsigned char c) { return c == '.'; };
  const auto is_digit = [](unsigned char c) { return c >= '0' && c <= '9'; };
  const auto is_space = [](unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  const auto is_zero = [](unsigned char c) { return c == '0'; };
  const auto is_minus = [](unsigned char c) { return c == '-'; };
  std::mt19937 random(7);
  char block[eb_com::marked_bytes];
  for (int background = 0; background < 64; ++background) {
    for (char& c : block) c = "0123456789.\n-+eE \t\x80\xff\x2f\x3a\x0b\xae\x8a\x08\x0e\r\x89\xa0"[random() % 29];
    for (int place = 0; place < eb_com::marked_bytes; ++place) {
      const char kept = block[place];
      for (int value = 0; value < 256; ++value) {
        block[place] = static_cast<char>(value);
        ASSERT_EQ(eb_com::newline_marks(block), marks_of(block, is_newline)) << value << " at " << place;
        ASSERT_EQ(eb_com::point_marks(block), marks_of(block, is_point)) << value << " at " << place;
        ASSERT_EQ(eb_com::digit_marks(block), marks_of(block, is_digit)) << value << " at " << place;
        ASSERT_EQ(detail::word_newline_marks(block), marks_of(block, is_newline)) << value << " at " << place;
        ASSERT_EQ(detail::word_point_marks(block), marks_of(block, is_point)) << value << " at " << place;
        ASSERT_EQ(detail::word_digit_marks(block), marks_of(block, is_digit)) << value << " at " << place;
        ASSERT_EQ(eb_com::space_marks(block), marks_of(block, is_space)) << value << " at " << place;
        ASSERT_EQ(detail::word_space_marks(block), marks_of(block, is_space)) << value << " at " << place;
        ASSERT_EQ(eb_com::zero_marks(block), marks_of(block, is_zero)) << value << " at " << place;
        ASSERT_EQ(detail::word_zero_marks(block), marks_of(block, is_zero)) << value << " at " << place;
        ASSERT_EQ(eb_com::minus_marks(block), marks_of(block, is_minus)) << value << " at " << place;
        ASSERT_EQ(detail::word_minus_marks(block), marks_of(block, is_minus)) << value << " at " << place;
      }
      block[place] = kept;
    }
  }
}

}  // namespace
