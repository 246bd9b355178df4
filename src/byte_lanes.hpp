// Bytes handled eight or sixteen at a time in one integer, each byte a lane:
// the scanner and the spelling copy look at a whole field in a few
// instructions instead of a branch per character.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if !defined(__SIZEOF_INT128__)
#error "eb-com needs a compiler with unsigned __int128 (GCC or clang on a 64-bit target)"
#endif
// A lane's place in the integer is its place in memory only on a
// little-endian machine.
static_assert(std::endian::native == std::endian::little, "eb-com needs a little-endian machine");

namespace eb_com {

__extension__ typedef unsigned __int128 u128;

// The byte in every lane of a Word (std::uint64_t or u128).
template <class Word>
constexpr Word every_byte(std::uint8_t byte) noexcept {
  return static_cast<Word>(~Word{0} / 0xFF) * byte;
}

// The word whose lanes are the bytes at p, the first in the lowest lane.
template <class Word>
Word load_lanes(const char* p) noexcept {
  Word word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// The high bit of every lane of x that is zero, and no other bit.
template <class Word>
constexpr Word zero_lanes(Word x) noexcept {
  const Word low_bits = every_byte<Word>(0x7F);
  return static_cast<Word>(~(((x & low_bits) + low_bits) | x | low_bits));
}

// The index of the lowest lane with a bit set; marks must not be zero.
constexpr int first_marked_lane(std::uint64_t marks) noexcept { return std::countr_zero(marks) / 8; }

constexpr int first_marked_lane(u128 marks) noexcept {
  const auto low = static_cast<std::uint64_t>(marks);
  return low != 0 ? first_marked_lane(low) : 8 + first_marked_lane(static_cast<std::uint64_t>(marks >> 64));
}

}  // namespace eb_com
