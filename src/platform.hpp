// What eb-com takes for granted of the machine and the compiler, in one
// place: each assumption is checked here, so that a build where one fails
// stops with its reason rather than printing other bytes. The one other,
// that double arithmetic is done in double (FLT_EVAL_METHOD == 0), is
// checked beside the one division that relies on it, in
// self_printing_decimal.hpp.
#pragma once

#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <limits>

static_assert(CHAR_BIT == 8, "eb-com reads and writes bytes of 8 bits");
static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<double>::digits == 53,
              "eb-com needs IEEE 754 binary64 doubles");
static_assert(sizeof(double) == sizeof(std::uint64_t));
#if defined(__FAST_MATH__) || defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__
#error "eb-com's arithmetic is defined to the last bit: build it without -ffast-math or -ffinite-math-only"
#endif
#if !defined(__SIZEOF_INT128__)
#error "eb-com needs a compiler with unsigned __int128 (GCC or clang on a 64-bit target)"
#endif
static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big,
              "eb-com needs a machine whose byte order is little- or big-endian");

namespace eb_com {

// The x87's 80-bit format, which the centre-of-mass formula is defined in:
// on x86-64 the hardware evaluates it, elsewhere integer arithmetic does.
inline constexpr bool long_double_is_x87 =
#if defined(__x86_64__) || defined(__i386__)
    std::numeric_limits<long double>::digits == 64;
#else
    false;
#endif

// Whether the C library is glibc, whose sscanf and printf are the reference
// for every byte the tool reads and writes. The program never calls them;
// the tests ask them live only where this holds, and elsewhere hold the
// tool to their answers recorded in tests/data/.
inline constexpr bool c_library_is_glibc =
#if defined(__GLIBC__)
    true;
#else
    false;
#endif

__extension__ typedef unsigned __int128 u128;

// The word whose lowest byte is p[0], whatever the machine's byte order: the
// digit tricks put the first character in the lowest byte.
inline std::uint64_t load_little_endian(const char* p) noexcept {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

inline void store_little_endian(char* p, std::uint64_t word) noexcept {
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  std::memcpy(p, &word, sizeof word);
}

}  // namespace eb_com
