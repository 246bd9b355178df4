// One input converted in memory, by eb-com's record loop and by the plain
// stdio conversion, for the unit test and the fuzz target to compare.
#pragma once

#include <string>
#include <string_view>

#include "conversion.hpp"
#include "stdio_conversion.hpp"

namespace support {

template <typename Summary>
struct Converted {
  std::string table;
  std::string transcript;  // the echo lines, without banner and summary
  std::string errors;      // eb-com's warnings
  Summary summary;
};

// eb-com's record loop through the least blocks in and out, so that even a
// short input crosses several.
Converted<eb_com::ConversionSummary> convert_with_eb_com(std::string_view bytes);
Converted<stdio_conversion::Summary> convert_with_stdio(std::string_view bytes);

}  // namespace support
