// The decimals whose "%lf" text is their own spelling, padded with zeros:
// most fields of real observation files. Recognising one tells both its
// value and its text without a general conversion either way.
//
// A plain decimal with at most 9 integer digits is the double nearest it to
// within 2^-24, far inside the half millionth at which "%lf" would round it
// to something else; so with at most 6 decimals "%lf" prints the spelled
// value itself, a minus sign kept even on zero. Such a decimal is an optional
// minus sign, 1 to 9 integer digits without leading zeros, and optionally a
// point and at most 6 decimals: 17 characters at most. Those of up to 16,
// one block of marked bytes, are the ones recognised here.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "numbers/binary64.hpp"
#include "numbers/byte_marks.hpp"
#include "numbers/powers_of_ten.hpp"
#include "platform.hpp"

namespace eb_com {

// "%lf" prints six decimals: a spelling with more would round.
inline constexpr std::size_t self_printing_decimals = 6;

struct SelfPrintingDecimal {
  std::uint8_t length = 0;    // 0 where the text does not start with one
  std::uint8_t point = 0;     // where the point is, or length where it has none
  std::uint8_t decimals = 0;  // the digits after the point
};

// The functions below read whole blocks: the self_printing_window bytes after
// the end of the text they are given must be readable.
inline constexpr std::size_t self_printing_window = marked_bytes;

// The longest self-printing decimal at the start of [text, last).
SelfPrintingDecimal find_self_printing_decimal(const char* text, const char* last) noexcept;

// What reading a decimal's value takes from its layout alone, apart from
// its digits: where the point is, how many digits, the sign. Decimals laid
// out alike share one, which a caller that meets the same layout again and
// again can keep rather than work out each time.
struct SelfPrintingReading {
  SelfPrintingDecimal decimal;
  bool negative = false;
  // Where the integer and the decimals, moved down a byte over the point,
  // fill one word: the bits of the integer's bytes in it, and the shift
  // that leaves the digits in the top bytes, 64 for a decimal that needs
  // more. Bytes rather than a mask of the word, to keep small what is kept.
  std::uint8_t integer_bits = 0;
  std::uint8_t word_shift = 0;
};
SelfPrintingReading self_printing_reading(SelfPrintingDecimal decimal, bool negative) noexcept;

// The double strtod reads the decimal as: its at most 15 digits are an exact
// integer, and one division by a power of ten up to 10^6, both exact
// doubles, rounds it correctly.
double self_printing_value(const char* text, const SelfPrintingReading& reading) noexcept;
double self_printing_value(const char* text, SelfPrintingDecimal decimal) noexcept;

// Writes "%lf" of the decimal and returns the end of the text. Writes whole
// blocks: the window, and a block of 8 zeros from just after the last
// decimal, which is at most the window's end.
inline constexpr std::size_t max_self_printing_copy = self_printing_window + 8;
char* copy_self_printing_decimal(char* out, const char* text, SelfPrintingDecimal decimal) noexcept;

// Defined here, in every unit that scans: they are most of its work, and
// inline in the header they are inlined even in the builds without
// link-time optimisation (the sanitizer and fuzz builds, and any build that
// is not Release).

namespace self_printing_detail {

inline constexpr std::size_t max_integer_digits = 9;

// The value of the first count (1 to 8) digits in the bytes of word, the
// first digit in the lowest, by the method of fast_float: pairs, then
// quadruples, in lanes of the register. Given shift = 8 * (8 - count), the
// later bytes shift out and the first digits become the last, under zeros.
inline std::uint64_t shifted_digits_value(std::uint64_t word, unsigned shift) noexcept {
  assert(shift <= 56 && shift % 8 == 0);
  std::uint64_t digits = (word - 0x3030303030303030) << shift;
  digits = digits * 10 + (digits >> 8);
  constexpr std::uint64_t pairs = 0x000000FF000000FF;
  return ((digits & pairs) * (100 + (std::uint64_t{1000000} << 32)) +
          ((digits >> 16) & pairs) * (1 + (std::uint64_t{10000} << 32))) >>
         32;
}

inline std::uint64_t digits_value(std::uint64_t word, std::size_t count) noexcept {
  assert(count >= 1 && count <= 8);
  return shifted_digits_value(word, static_cast<unsigned>(8 * (8 - count)));
}

}  // namespace self_printing_detail

inline SelfPrintingDecimal find_self_printing_decimal(const char* text, const char* last) noexcept {
  using namespace self_printing_detail;
  const std::size_t available = std::min(static_cast<std::size_t>(last - text), self_printing_window);
  const unsigned in_text = (1u << available) - 1;
  const unsigned digits = digit_marks(text) & in_text;
  const std::size_t sign = static_cast<unsigned>(*text == '-') & in_text;
  const auto integer_digits = static_cast<std::size_t>(std::countr_one(digits >> sign));
  const std::size_t point = sign + integer_digits;
  // The decimals, if any, run from just after the point.
  const std::size_t has_point = (point_marks(text) & in_text) >> point & 1;
  const std::size_t fraction_digits = has_point * static_cast<std::size_t>(std::countr_one(digits >> (point + 1)));
  if (integer_digits == 0 || integer_digits > max_integer_digits || fraction_digits > self_printing_decimals ||
      (integer_digits > 1 && text[sign] == '0')) {
    return {};
  }
  return {static_cast<std::uint8_t>(point + has_point + fraction_digits), static_cast<std::uint8_t>(point),
          static_cast<std::uint8_t>(fraction_digits)};
}

inline SelfPrintingReading self_printing_reading(SelfPrintingDecimal decimal, bool negative) noexcept {
  const std::size_t integer_digits = decimal.point - negative;
  const std::size_t word_digits = integer_digits + decimal.decimals;
  SelfPrintingReading reading{decimal, negative, static_cast<std::uint8_t>(8 * integer_digits), 64};
  // The point takes a byte of the word too.
  if (word_digits + 1 <= 8) reading.word_shift = static_cast<std::uint8_t>(8 * (8 - word_digits));
  return reading;
}

inline double self_printing_value(const char* text, const SelfPrintingReading& reading) noexcept {
  using namespace self_printing_detail;
  const SelfPrintingDecimal decimal = reading.decimal;
  const char* const integer = text + reading.negative;
  std::uint64_t mantissa = 0;
  if (reading.word_shift != 64) {
    // Velocities and the like: one word holds the digits and the point, and
    // the fraction's digits, moved down a byte over the point, follow the
    // integer's. At most 7 integer digits: integer_bits is below 64.
    const std::uint64_t word = load_little_endian(integer);
    const std::uint64_t integer_bytes = (std::uint64_t{1} << reading.integer_bits) - 1;
    mantissa = shifted_digits_value((word & integer_bytes) | ((word >> 8) & ~integer_bytes), reading.word_shift);
  } else {
    // The ninth integer digit, if any, is taken on its own.
    const std::size_t integer_digits = decimal.point - reading.negative;
    const std::size_t high = integer_digits > 8;
    const std::uint64_t integer_part = (high != 0 ? static_cast<std::uint64_t>(*integer - '0') * 100000000 : 0) +
                                       digits_value(load_little_endian(integer + high), integer_digits - high);
    const std::uint64_t fraction_part =
        decimal.decimals != 0 ? digits_value(load_little_endian(text + decimal.point + 1), decimal.decimals) : 0;
    mantissa = integer_part * powers_of_ten[decimal.decimals] + fraction_part;
  }
  // One rounding, to double (FLT_EVAL_METHOD is 0: platform.hpp). The
  // mantissa, below 10^15, converts as a signed integer: the machine's one
  // instruction, where an unsigned one needs a test of the top bit.
  const double magnitude =
      static_cast<double>(static_cast<std::int64_t>(mantissa)) / exact_double_powers_of_ten[decimal.decimals];
  return binary64::with_sign(magnitude, reading.negative);
}

inline double self_printing_value(const char* text, SelfPrintingDecimal decimal) noexcept {
  return self_printing_value(text, self_printing_reading(decimal, *text == '-'));
}

inline char* copy_self_printing_decimal(char* out, const char* text, SelfPrintingDecimal decimal) noexcept {
  using namespace self_printing_detail;
  std::memcpy(out, text, self_printing_window);
  out[decimal.point] = '.';
  std::memcpy(out + decimal.point + 1 + decimal.decimals, "00000000", 8);
  return out + decimal.point + 1 + self_printing_decimals;
}

}  // namespace eb_com
