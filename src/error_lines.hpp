// The lines eb-com writes on standard error, each one line that begins
// "eb-com: ": the system's reason for a failed open, read or write, the
// warnings about records, an argument it does not take. The transcript's
// messages stay on standard output, where scripts read them.
#pragma once

#include <cerrno>
#include <cstdio>
#include <initializer_list>
#include <string_view>

namespace eb_com {

// "eb-com: ", the pieces, a newline, in one write. Failures to write are
// ignored: there is nowhere left to report them.
void write_error_line(std::FILE* stream, std::initializer_list<std::string_view> pieces) noexcept;

// The errno of a call that just failed, or EIO where it set none, as a
// stdio call may: every failure has a reason to report. errno is to be
// cleared before the call.
inline int failure_errno() noexcept { return errno != 0 ? errno : EIO; }

// "eb-com: <subject>: <the system's text for error>" on standard error.
void report_system_error(std::string_view subject, int error) noexcept;

}  // namespace eb_com
