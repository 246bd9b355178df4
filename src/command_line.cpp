#include "command_line.hpp"

#include <cstdio>
#include <string_view>

#include "centre_of_mass.hpp"
#include "error_lines.hpp"
#include "tool_texts.hpp"

#ifndef EB_COM_VERSION
#error "EB_COM_VERSION, the release, is set by the build (CMakeLists.txt)"
#endif

namespace eb_com {
namespace {

#define EB_COM_TEXT(x) EB_COM_TEXT_OF(x)
#define EB_COM_TEXT_OF(x) #x

// This build's ratio as the build gave it, "0.91" rather than 0.91's digits.
constexpr std::string_view ratio_text = EB_COM_TEXT(EB_COM_MASS_RATIO);

constexpr std::string_view help_pieces[] = {
    "Usage: eb-com [--help | --version]\n"
    "\n"
    "Run without arguments in the folder that holds ",
    input_file_name,
    "\n(one observation a line: the abscissa, then the velocities of components\n"
    "1 and 2), eb-com writes the abscissa and the centre-of-mass velocity of each\n"
    "to ",
    output_file_name,
    " there, replacing that file, and a\n"
    "transcript to standard output. Lines it cannot read whole are named on\n"
    "standard error.\n"
    "\n"
    "This build's mass ratio: q = M2/M1 = ",
    ratio_text,
    "\n"
    "\n"
    "  --help     print this and exit\n"
    "  --version  print the version and the mass ratio, and exit\n"
    "\n"
    "man eb-com has the rest: the formula, the files, the warnings, the exit\n"
    "statuses, and how to build eb-com for another mass ratio.\n"};

constexpr std::string_view version_pieces[] = {"eb-com " EB_COM_VERSION " (mass ratio q = M2/M1 = ", ratio_text, ")\n"};

template <std::size_t n>
int write_to_standard_output(const std::string_view (&pieces)[n]) noexcept {
  for (const std::string_view piece : pieces) {
    if (std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size()) return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int answer_command_line(int argc, const char* const* argv) noexcept {
  if (argc <= 1) return -1;
  const std::string_view first = argv[1];
  if (argc == 2 && (first == "--help" || first == "--version")) {
    return first == "--help" ? write_to_standard_output(help_pieces) : write_to_standard_output(version_pieces);
  }
  // The first argument that is not one of the two alone.
  const std::string_view refused = first == "--help" || first == "--version" ? argv[2] : first;
  write_error_line(stderr, {"unexpected argument '", refused, "': eb-com takes no file name or option, and reads ",
                            input_file_name, " in the current folder (see eb-com --help)"});
  return 2;
}

}  // namespace eb_com
