#include "error_lines.hpp"

#include <algorithm>
#include <cstring>

#include "tool_texts.hpp"

namespace eb_com {

void write_error_line(std::FILE* stream, std::initializer_list<std::string_view> pieces) noexcept {
  // Longer lines are cut: a file name or an argument is the only long piece.
  char line[1024];
  std::size_t length = 0;
  const auto append = [&](std::string_view piece) {
    // An empty piece may have no data at all, which memcpy must not see.
    const std::size_t part = std::min(piece.size(), sizeof line - 1 - length);
    if (part != 0) std::memcpy(line + length, piece.data(), part);
    length += part;
  };
  append(error_line_start);
  for (const std::string_view piece : pieces) append(piece);
  line[length++] = '\n';
  std::fwrite(line, 1, length, stream);
  std::fflush(stream);
}

void report_system_error(std::string_view subject, int error) noexcept {
  write_error_line(stderr, {subject, ": ", std::strerror(error)});
}

}  // namespace eb_com
