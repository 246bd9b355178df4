// The command line: none, as the tool runs, or one of --help and --version.
// Anything else is refused before a file is opened: a user who names a file
// or an option of another tool must not lose the table to a run they did
// not ask for.
#pragma once

namespace eb_com {

// -1 where the arguments ask for the conversion (there are none). Otherwise
// the exit status, having written what they ask for: the usage or the
// version, both with this build's mass ratio, on standard output (0), or one line on standard error naming the
// argument it does not take (2).
int answer_command_line(int argc, const char* const* argv) noexcept;

}  // namespace eb_com
