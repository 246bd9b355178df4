// Inputs of observation records in the shapes real files hold and in many
// they should not, for the tests that hold eb-com to the stdio conversion.
#pragma once

#include <cstddef>
#include <cstdio>
#include <random>
#include <string>

namespace test_support {

inline std::string generated_input(unsigned seed, std::size_t size) {
  std::mt19937_64 random(seed);
  const char* const odd_lines[] = {"\n", "JD v1 v2\n", "1.0, 2.0, 3.0\n", "inf nan -inf\n", "0x1p3 1e400 4e-320\n",
                                   "1 2 3 4 5\n", "\r\n", "12\n", "-0 -0 -0\n", "1 1e308 -1e308\n"};
  std::string input;
  char line[128];
  while (input.size() < size) {
    switch (random() % 12) {
      case 0: input += odd_lines[random() % std::size(odd_lines)]; break;
      case 1: input += std::string(random() % 1100, static_cast<char>('0' + random() % 10)) + "\n"; break;
      case 2: input += std::string("5 \0 6 7\n", 8); break;
      default:
        std::snprintf(line, sizeof line, "%.5f\t%.3f %.3f%s", 2450000 + (random() % 10000000) / 1e3,
                      (static_cast<double>(random() % 400000) - 2e5) / 1e3,
                      (static_cast<double>(random() % 400000) - 2e5) / 1e3, random() % 5 == 0 ? "\r\n" : "\n");
        input += line;
    }
  }
  return input + "9 8 7";  // a last line without a newline
}

}  // namespace test_support
