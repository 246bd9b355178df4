#include "program_run.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace support {

pid_t start_program(const Launch& launch) {
  std::vector<std::string> words{launch.program};
  words.insert(words.end(), launch.arguments.begin(), launch.arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const std::string directory = launch.directory.string();
  const int wanted[] = {launch.input, launch.output, launch.errors};

  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child != 0) return child;
  // Only calls that are safe between fork and exec from here on. The wanted
  // descriptors are first moved above 2, so that placing one cannot
  // overwrite another that is still to be placed.
  int moved[3];
  for (int i = 0; i < 3; ++i) {
    moved[i] = wanted[i] < 0 ? -1 : fcntl(wanted[i], F_DUPFD_CLOEXEC, 3);
    if (wanted[i] >= 0 && moved[i] < 0) _exit(127);
  }
  for (int i = 0; i < 3; ++i) {
    if (moved[i] < 0) {
      close(i);
    } else if (dup2(moved[i], i) < 0) {
      _exit(127);
    }
  }
  if (chdir(directory.c_str()) != 0) _exit(127);
  if (launch.before_exec) launch.before_exec();
  execv(argv[0], argv.data());
  _exit(127);
}

Exit wait_for_program(pid_t child) {
  int status = 0;
  struct rusage usage {};
  if (wait4(child, &status, 0, &usage) != child) throw std::runtime_error("wait4 failed");
  Exit exit;
  exit.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  exit.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  exit.peak_memory_kib = usage.ru_maxrss;
  exit.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  return exit;
}

}  // namespace support
