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
// which SSE2 looks at in one go, are the ones recognised here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace eb_com {

struct SelfPrintingDecimal {
  std::uint8_t length = 0;    // 0 where the text does not start with one
  std::uint8_t point = 0;     // where the point is, or length where it has none
  std::uint8_t decimals = 0;  // the digits after the point
};

// The functions below read whole blocks: the self_printing_window bytes after
// the end of the text they are given must be readable.
inline constexpr std::size_t self_printing_window = 16;

// The longest self-printing decimal at the start of [text, last).
SelfPrintingDecimal find_self_printing_decimal(const char* text, const char* last) noexcept;

// The double strtod reads the decimal as: its at most 15 digits are an exact
// integer, and one division by a power of ten up to 10^6, both exact
// doubles, rounds it correctly.
double self_printing_value(const char* text, SelfPrintingDecimal decimal) noexcept;

// Writes "%lf" of the decimal and returns the end of the text. Writes whole
// blocks, up to 25 characters.
inline constexpr std::size_t max_self_printing_copy = 25;
char* copy_self_printing_decimal(char* out, const char* text, SelfPrintingDecimal decimal) noexcept;

}  // namespace eb_com
