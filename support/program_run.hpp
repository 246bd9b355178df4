// Starting a program as a user's shell would, and what the system says of
// its end: for the end-to-end tests and the benchmark.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace support {

struct Launch {
  std::string program;
  std::vector<std::string> arguments;
  std::filesystem::path directory;
  // The descriptors that become the child's 0, 1 and 2; -1 leaves that one
  // closed in the child.
  int input = -1;
  int output = -1;
  int errors = -1;
  // Runs in the child just before exec: only async-signal-safe calls
  // (setrlimit, say).
  std::function<void()> before_exec;
};

struct Exit {
  int status = -1;  // the exit status, or -1 when a signal ended the program
  int signal = 0;   // the signal that ended it, if one did
  long peak_memory_kib = 0;
  double cpu_seconds = 0;  // user and system time together
};

// Starts the program; the caller closes its own copies of the descriptors it
// handed over when it no longer needs them.
pid_t start_program(const Launch& launch);

// Waits for a program start_program started.
Exit wait_for_program(pid_t child);

}  // namespace support
