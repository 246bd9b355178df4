// The tool's formats ("%s", "%lld" or "%lf", one to a format, as
// tool_texts.hpp gives them) with their conversion filled in by text the
// program wrote itself: no printf, whose rare answers differ between C
// libraries.
#pragma once

#include <cstdio>
#include <string_view>

#include "buffered_output.hpp"

namespace eb_com {

// Hands write the pieces of format with its one conversion replaced by text.
template <typename Write>
void fill_in(std::string_view format, std::string_view text, Write write) {
  const std::size_t conversion = format.find('%');
  const std::size_t after = format.find_first_of("sdf", conversion) + 1;
  write(format.substr(0, conversion));
  write(text);
  write(format.substr(after));
}

inline void fill_in_to(BufferedOutput& output, std::string_view format, std::string_view text) noexcept {
  fill_in(format, text, [&output](std::string_view piece) { output.write(piece); });
}

inline void fill_in_to(std::FILE* stream, std::string_view format, std::string_view text) noexcept {
  fill_in(format, text, [stream](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), stream); });
  std::fflush(stream);
}

}  // namespace eb_com
