// glibc's sscanf and printf are the reference for every byte eb-com reads
// and writes. Where the C library is glibc the tests ask them live; every
// build, on any C library, checks the tool against their answers recorded
// in tests/data/ by eb-com-pin-glibc-answers.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "numbers/number_scan.hpp"
#include "platform.hpp"

#define SKIP_UNLESS_GLIBC()                                                    \
  if (!eb_com::c_library_is_glibc)                                             \
  GTEST_SKIP() << "the live reference is glibc's sscanf and printf, and this " \
                  "C library is not glibc; the "                               \
                  "answers recorded in tests/data/ hold this build"

namespace glibc_answers {

// One "%lf" conversion as sscanf performs it: whether it converted, how many
// characters it took, the value's bits.
struct Field {
  int count = 0;
  int consumed = 0;
  std::uint64_t bits = 0;
  friend bool operator==(const Field&, const Field&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Field& field) {
    return out << "count " << field.count << ", consumed " << field.consumed << ", bits " << std::hex << field.bits
               << std::dec;
  }
};

inline Field scanf_field(const std::string& text) {
  double value = 0;
  int consumed = 0;
  if (std::sscanf(text.c_str(), "%lf%n", &value, &consumed) != 1) return {};
  return {1, consumed, std::bit_cast<std::uint64_t>(value)};
}

// "%lf" of value, as printf writes it.
inline std::string printf_lf(double value) {
  char text[400];
  return {text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%lf", value))};
}

// The same field as eb-com's scanner takes it.
inline Field tool_field(const std::string& text) {
  double value = 0;
  const char* end = eb_com::scan_number(text.data(), text.data() + text.size(), value);
  if (end == nullptr) return {};
  return {1, static_cast<int>(end - text.data()), std::bit_cast<std::uint64_t>(value)};
}

// The exact decimal of the point halfway between value and the next double
// up, in 1 + digits significant digits: the x87's long double holds it
// exactly where digits reaches 767, and strtod rounds it to even.
inline std::string halfway_above(double value, int digits) {
  char text[1000];
  const long double next = std::nextafter(value, static_cast<double>(INFINITY));
  std::snprintf(text, sizeof text, "%.*Le", digits, (static_cast<long double>(value) + next) / 2);
  return text;
}

// Text as one line of a data file: printable characters but the backslash
// as they are, the rest as \xHH.
inline std::string escaped(std::string_view text) {
  std::string line;
  for (const char c : text) {
    if (c > ' ' && c < 0x7f && c != '\\') {
      line += c;
    } else {
      char code[5];
      std::snprintf(code, sizeof code, "\\x%02x", static_cast<unsigned char>(c));
      line += code;
    }
  }
  return line;
}

inline std::string unescaped(std::string_view line) {
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 3 < line.size() && line[i + 1] == 'x') {
      text += static_cast<char>(std::stoi(std::string(line.substr(i + 2, 2)), nullptr, 16));
      i += 3;
    } else {
      text += line[i];
    }
  }
  return text;
}

// Calls visit with every text of up to max_length characters of alphabet.
template <typename Visit>
void for_each_text(std::string_view alphabet, std::size_t max_length, Visit visit) {
  std::string text;
  const auto extend = [&](const auto& self) -> void {
    visit(std::as_const(text));
    if (text.size() == max_length) return;
    for (const char c : alphabet) {
      text.push_back(c);
      self(self);
      text.pop_back();
    }
  };
  extend(extend);
}

// The characters that decide how "%lf" reads, for exhaustive comparisons:
// digits, point, exponents, signs, the letters of nan and infinity in both
// cases, parentheses, a space and a NUL.
inline constexpr std::string_view grammar_alphabet("01.eExXpP+-infatyINF() \0", 24);

inline const char* const scanf_fields_file = EB_COM_TEST_DATA "/glibc_scanf_fields.txt";
inline const char* const printf_fixed_file = EB_COM_TEST_DATA "/glibc_printf_fixed.txt";

}  // namespace glibc_answers
