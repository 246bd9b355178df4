// The two data files and the standard streams beside them: opening the input
// and the table so that no failure, link or lack of memory costs the old
// table, and refusing a standard stream that is one of the two files.
#pragma once

#include <cstdio>

namespace eb_com {

// An opened data file, or why it could not be.
struct OpenedFile {
  std::FILE* stream = nullptr;
  const char* failure = nullptr;  // the transcript's message where stream is null
  int error = 0;                  // and the system's reason, where there is one
};

// Started with a standard descriptor closed, as some job schedulers start
// programs, a data file opened later would take its number: the transcript
// would be written into the table. /dev/null fills each gap first. False
// where it cannot.
bool fill_standard_descriptors() noexcept;

// The input, for reading. A directory opens for reading on Linux but holds
// no observations; it fails here, before the table is touched.
OpenedFile open_input() noexcept;

// Writes the one line that refuses a standard output or standard error that
// is the input (when open) or the existing table, under any name, and
// returns true; returns false where neither is. Such a run would read its
// own transcript back as observations, or write it into the table. The line
// goes on whichever of the two streams is not a data file, if either.
bool refuse_data_file_streams(std::FILE* input) noexcept;

// The table, emptied as mode "w" does, but only once it is known not to be
// the input under another name and its stream exists. A FIFO or a device is
// written as it is.
OpenedFile open_table(std::FILE* input) noexcept;

}  // namespace eb_com
