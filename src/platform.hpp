// What eb-com takes for granted of the machine and the compiler, and every
// fact about the platform that code or tests decide on, in one place: each
// assumption is checked here, so that a build where one fails stops with its
// reason rather than printing other bytes, and each fact is a named macro or
// constant that other files ask for. Compiler builtins and attributes are
// spelled here alone.
#pragma once

#include <bit>
#include <cfloat>
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
// The decimal scans round a quotient of exact doubles once: an x87
// evaluating in extended precision would round twice.
static_assert(FLT_EVAL_METHOD == 0, "eb-com needs double arithmetic evaluated in double");
#if !defined(__SIZEOF_INT128__)
#error "eb-com needs a compiler with unsigned __int128 (GCC or clang on a 64-bit target)"
#endif
static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big,
              "eb-com needs a machine whose byte order is little- or big-endian");

// The instructions that mark 16 bytes at once (byte_marks.hpp): SSE2 on
// x86-64, NEON on aarch64, and on any other machine none, as one macro:
// the intrinsics' headers must be chosen before any code.
#if defined(__SSE2__)
#define EB_COM_SIMD_SSE2 1
#elif defined(__aarch64__) && defined(__ARM_NEON)
#define EB_COM_SIMD_NEON 1
#endif

// Whether long double is the x87's 80-bit format, which the centre-of-mass
// formula is defined in: on x86-64 the hardware evaluates it, elsewhere
// integer arithmetic does, and the tests ask the hardware only here.
#if defined(__x86_64__) && __LDBL_MANT_DIG__ == 64
#define EB_COM_LONG_DOUBLE_IS_X87 1
#else
#define EB_COM_LONG_DOUBLE_IS_X87 0
#endif

// Whether AddressSanitizer's allocator stands in for malloc: the tests that
// exhaust memory on purpose cannot run under it.
#if defined(__SANITIZE_ADDRESS__)
#define EB_COM_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define EB_COM_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef EB_COM_ADDRESS_SANITIZER
#define EB_COM_ADDRESS_SANITIZER 0
#endif

// A function inlined wherever it is called, whatever the optimiser's own
// judgement; one kept out of the way of its callers' hot code; one never
// inlined, so that its caller cannot fold it into other code.
#define EB_COM_ALWAYS_INLINE [[gnu::always_inline]] inline
#define EB_COM_COLD [[gnu::cold]]
#define EB_COM_NOINLINE [[gnu::noinline]]

namespace eb_com {

inline constexpr bool long_double_is_x87 = EB_COM_LONG_DOUBLE_IS_X87;
static_assert(!long_double_is_x87 || std::numeric_limits<long double>::digits == 64);

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

// glibc before 2.41 rounds a hexadecimal subnormal with more significant
// bits than a double keeps on the first bit it drops alone, as if the rest
// were zero: "0x2.8000000000001p-1074", 2.5 least subnormals and a little
// more, becomes the even 2 rather than 3 (fixed in glibc 2.41). The program
// rounds on every bit, as the C standard and newer glibc do; the tests'
// live comparisons with such a glibc leave exactly these fields out.
inline constexpr bool c_library_misrounds_hex_subnormals =
#if defined(__GLIBC__) && (__GLIBC__ < 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ < 41))
    true;
#else
    false;
#endif

// What the tests' failure cases ask of the system, where it has it: a
// stream whose reads fail when a test says (glibc's fopencookie), a file
// that opens but cannot be read (Linux's /proc/self/mem, whose first page is
// not mapped), a device that is always full (/dev/full). Elsewhere those
// tests are reported as skipped.
#if defined(__GLIBC__)
#define EB_COM_HAS_FOPENCOOKIE 1
#else
#define EB_COM_HAS_FOPENCOOKIE 0
#endif
inline constexpr bool system_has_unreadable_proc_self_mem =
#if defined(__linux__)
    true;
#else
    false;
#endif
inline constexpr bool system_has_dev_full = system_has_unreadable_proc_self_mem;  // both Linux's

__extension__ typedef unsigned __int128 u128;

// The word whose lowest byte is p[0], whatever the machine's byte order: the
// digit tricks put the first character in the lowest byte.
inline std::uint64_t byte_swapped(std::uint64_t word) noexcept { return __builtin_bswap64(word); }

inline std::uint64_t load_little_endian(const char* p) noexcept {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = byte_swapped(word);
  return word;
}

inline void store_little_endian(char* p, std::uint64_t word) noexcept {
  if constexpr (std::endian::native == std::endian::big) word = byte_swapped(word);
  std::memcpy(p, &word, sizeof word);
}

}  // namespace eb_com
