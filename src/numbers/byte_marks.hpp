// Which of 16 bytes are newlines, digits, zeros, points, minus signs or
// white space, at once: bit i of the result stands for p[i]. The record
// reader finds line ends with them, the scanner the shape of a decimal, and
// the record shapes the shape of a whole record. SSE2 on x86-64, NEON on
// aarch64, and on any other machine the same marks from two 64-bit words.
// All 16 bytes at p must be readable.
#pragma once

#include <cassert>
#include <cstdint>

#include "platform.hpp"

#if EB_COM_SIMD_SSE2
#include <emmintrin.h>
#elif EB_COM_SIMD_NEON
#include <arm_neon.h>
#endif

namespace eb_com {

inline constexpr int marked_bytes = 16;

namespace byte_marks_detail {

inline constexpr std::uint64_t low_bits = 0x0101010101010101;
inline constexpr std::uint64_t high_bits = 0x8080808080808080;

// The high bit of each byte of a mark word gathered into bit i for byte i.
// (h >> 7) has bit 8i set for a marked byte i; the multiplier's term 2^(56-7j)
// moves it to bit 56 + i when j == i. No other pair (i, j) lands in bits
// 56 to 63, since 8i - 7j = i + 7(i - j) lies in [0, 8) only for i == j, and
// no two pairs land on the same bit, since 8(i - i') = 7(j - j') has no
// other solution in 0..7: the product is a sum without carries.
inline unsigned gathered(std::uint64_t high_bit_marks) noexcept {
  assert((high_bit_marks & ~high_bits) == 0);
  return static_cast<unsigned>((high_bit_marks >> 7) * 0x0102040810204080 >> 56);
}

// The high bit set in each byte of word equal to c. The low seven bits plus
// 0x7F carry into the high bit exactly when they are not all zero, and never
// out of the byte: no borrow crosses bytes, unlike the usual haszero trick.
inline std::uint64_t equal_bytes(std::uint64_t word, unsigned char c) noexcept {
  const std::uint64_t x = word ^ (low_bits * c);
  return ~(((x & ~high_bits) + ~high_bits) | x) & high_bits;
}

// The high bit set in each byte of word from first to just before past
// (both at most 0x80). For a byte below 0x80, adding 0x80 - first sets its
// high bit exactly when it is at least first, adding 0x80 - past exactly when
// it is at least past, neither carrying out (0x7F + 0x80 < 0x100); a byte of
// 0x80 or more is in no such range.
inline std::uint64_t bytes_in_range(std::uint64_t word, unsigned char first, unsigned char past) noexcept {
  assert(first <= past && past <= 0x80);
  const std::uint64_t low = word & ~high_bits;
  return (low + low_bits * (0x80 - first)) & ~(low + low_bits * (0x80 - past)) & ~word & high_bits;
}
inline std::uint64_t digit_bytes(std::uint64_t word) noexcept { return bytes_in_range(word, '0', '9' + 1); }
// White space as the scanf family sees it in the POSIX locale.
inline std::uint64_t space_bytes(std::uint64_t word) noexcept {
  return equal_bytes(word, ' ') | bytes_in_range(word, '\t', '\r' + 1);
}

// The portable definitions, on two words; built everywhere, so that the
// tests check them on every machine.
template <typename HighBitMarks>
unsigned word_marks(const char* p, HighBitMarks marks) noexcept {
  return gathered(marks(load_little_endian(p))) | gathered(marks(load_little_endian(p + 8))) << 8;
}
template <char c>
unsigned word_equal_marks(const char* p) noexcept {
  return word_marks(p, [](std::uint64_t word) { return equal_bytes(word, static_cast<unsigned char>(c)); });
}
inline unsigned word_digit_marks(const char* p) noexcept { return word_marks(p, digit_bytes); }
inline unsigned word_space_marks(const char* p) noexcept { return word_marks(p, space_bytes); }

// The machine's own: bytes equal to c, digits, white space.
#if EB_COM_SIMD_SSE2

inline __m128i loaded(const char* p) noexcept { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
template <char c>
unsigned equal_marks(const char* p) noexcept {
  return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(loaded(p), _mm_set1_epi8(c))));
}
// Bytes minus first below count as unsigned numbers: SSE2 compares only
// signed bytes, so both sides are shifted by 128.
inline __m128i in_range(__m128i bytes, char first, char count) noexcept {
  return _mm_cmplt_epi8(_mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>(first + 128))),
                        _mm_set1_epi8(static_cast<char>(-128 + count)));
}
inline unsigned machine_digit_marks(const char* p) noexcept {
  return static_cast<unsigned>(_mm_movemask_epi8(in_range(loaded(p), '0', 10)));
}
inline unsigned machine_space_marks(const char* p) noexcept {
  const __m128i bytes = loaded(p);
  return static_cast<unsigned>(
      _mm_movemask_epi8(_mm_or_si128(in_range(bytes, '\t', 5), _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')))));
}

#elif EB_COM_SIMD_NEON

// NEON has no movemask: each lane keeps its own bit weight, and the two
// halves are summed across.
inline unsigned neon_marks(uint8x16_t lanes) noexcept {
  const uint8x16_t weights = {1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128};
  const uint8x16_t weighted = vandq_u8(lanes, weights);
  return vaddv_u8(vget_low_u8(weighted)) | static_cast<unsigned>(vaddv_u8(vget_high_u8(weighted))) << 8;
}
inline uint8x16_t loaded(const char* p) noexcept { return vld1q_u8(reinterpret_cast<const std::uint8_t*>(p)); }
template <char c>
unsigned equal_marks(const char* p) noexcept {
  return neon_marks(vceqq_u8(loaded(p), vdupq_n_u8(static_cast<std::uint8_t>(c))));
}
inline uint8x16_t in_range(uint8x16_t bytes, std::uint8_t first, std::uint8_t count) noexcept {
  return vcltq_u8(vsubq_u8(bytes, vdupq_n_u8(first)), vdupq_n_u8(count));
}
inline unsigned machine_digit_marks(const char* p) noexcept { return neon_marks(in_range(loaded(p), '0', 10)); }
inline unsigned machine_space_marks(const char* p) noexcept {
  const uint8x16_t bytes = loaded(p);
  return neon_marks(vorrq_u8(in_range(bytes, '\t', 5), vceqq_u8(bytes, vdupq_n_u8(' '))));
}

#else

template <char c>
unsigned equal_marks(const char* p) noexcept {
  return word_equal_marks<c>(p);
}
inline unsigned machine_digit_marks(const char* p) noexcept { return word_digit_marks(p); }
inline unsigned machine_space_marks(const char* p) noexcept { return word_space_marks(p); }

#endif

}  // namespace byte_marks_detail

inline unsigned newline_marks(const char* p) noexcept { return byte_marks_detail::equal_marks<'\n'>(p); }
inline unsigned point_marks(const char* p) noexcept { return byte_marks_detail::equal_marks<'.'>(p); }
inline unsigned zero_marks(const char* p) noexcept { return byte_marks_detail::equal_marks<'0'>(p); }
inline unsigned minus_marks(const char* p) noexcept { return byte_marks_detail::equal_marks<'-'>(p); }
inline unsigned digit_marks(const char* p) noexcept { return byte_marks_detail::machine_digit_marks(p); }
inline unsigned space_marks(const char* p) noexcept { return byte_marks_detail::machine_space_marks(p); }

}  // namespace eb_com
