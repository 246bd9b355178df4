// Runs eb-com and the plain stdio baseline side by side on one generated
// input, alternately, checks that they print and write the same bytes, and
// reports median throughput and eb-com's peak memory.
//
//   eb-com-bench EB_COM BASELINE [RECORDS [RUNS [SCRATCH_DIR]]]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "program_run.hpp"
#include "tool_texts.hpp"

namespace fs = std::filesystem;

namespace {

using eb_com::input_file_name;
using eb_com::output_file_name;

// Julian dates with five decimals and velocities with three, about 30 bytes a
// line, and one line in ten in another shape a real file may hold.
void write_input(const fs::path& path, long records) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    std::perror(path.c_str());
    std::exit(2);
  }
  std::mt19937_64 random(2024);
  std::uniform_real_distribution<double> velocity(-150.0, 150.0);
  double time = 2450000.0;
  for (long i = 0; i < records; ++i) {
    time += std::uniform_real_distribution<double>(0.001, 0.2)(random);
    const double v1 = velocity(random);
    const double v2 = velocity(random);
    switch (random() % 50) {
      case 0: std::fprintf(file, "%.5f %.4e %.4e\n", time, v1, v2); break;
      case 1: std::fprintf(file, "%ld %d %d\n", i, static_cast<int>(v1), static_cast<int>(v2)); break;
      case 2: std::fprintf(file, "%.5f %+.3f %+.3f\n", time, v1, v2); break;
      case 3: std::fprintf(file, "%.5f\t%.3f\t%.3f\n", time, v1, v2); break;
      case 4: std::fprintf(file, "%.5f %.3f %.3f\r\n", time, v1, v2); break;
      default: std::fprintf(file, "%.5f %.3f %.3f\n", time, v1, v2);
    }
  }
  std::fclose(file);
}

struct Run {
  double seconds;
  long peak_memory_kib;
};

// Runs program in directory with standard output to a file beside it.
Run run(const std::string& program, const fs::path& directory) {
  const std::string transcript = (directory.parent_path() / (directory.filename().string() + ".stdout")).string();
  support::Launch launch;
  launch.program = program;
  launch.directory = directory;
  launch.output = open(transcript.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  launch.errors = STDERR_FILENO;
  const auto start = std::chrono::steady_clock::now();
  const support::Exit exit = support::wait_for_program(support::start_program(launch));
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  close(launch.output);
  if (exit.status != 0) {
    std::fprintf(stderr, "%s failed with status %d, signal %d\n", program.c_str(), exit.status, exit.signal);
    std::exit(2);
  }
  return {elapsed.count(), exit.peak_memory_kib};
}

bool same_bytes(const fs::path& a, const fs::path& b) {
  std::ifstream first(a, std::ios::binary);
  std::ifstream second(b, std::ios::binary);
  return std::equal(std::istreambuf_iterator<char>(first), {}, std::istreambuf_iterator<char>(second), {});
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const auto middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

fs::path prepared_directory(const fs::path& scratch, const char* name, const fs::path& input) {
  const fs::path directory = scratch / name;
  fs::create_directories(directory);
  fs::copy_file(input, directory / input_file_name, fs::copy_options::overwrite_existing);
  return directory;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s EB_COM BASELINE [RECORDS [RUNS [SCRATCH_DIR]]]\n", argv[0]);
    return 2;
  }
  const std::string eb_com = fs::absolute(argv[1]).string();
  const std::string baseline = fs::absolute(argv[2]).string();
  const long records = argc > 3 ? std::atol(argv[3]) : 2'000'000;
  const int runs = std::max(3, argc > 4 ? std::atoi(argv[4]) : 5);
  const fs::path scratch = argc > 5 ? fs::path(argv[5]) : fs::temp_directory_path() / "eb-com-bench";
  fs::create_directories(scratch);

  std::printf("generating %ld records\n", records);
  const fs::path input = scratch / "input.txt";
  write_input(input, records);
  const fs::path tool_directory = prepared_directory(scratch, "eb-com", input);
  const fs::path baseline_directory = prepared_directory(scratch, "baseline", input);

  std::vector<double> tool_rates, baseline_rates;
  long tool_memory = 0;
  for (int i = 0; i < runs; ++i) {
    const Run tool = run(eb_com, tool_directory);
    const Run plain = run(baseline, baseline_directory);
    tool_rates.push_back(static_cast<double>(records) / tool.seconds);
    baseline_rates.push_back(static_cast<double>(records) / plain.seconds);
    tool_memory = std::max(tool_memory, tool.peak_memory_kib);
    if (i == 0 && !(same_bytes(tool_directory / output_file_name, baseline_directory / output_file_name) &&
                    same_bytes(scratch / "eb-com.stdout", scratch / "baseline.stdout"))) {
      std::fprintf(stderr, "eb-com and the baseline differ: compare the files in %s\n", scratch.c_str());
      return 1;
    }
  }
  std::printf("outputs: table and transcript identical byte for byte\n");

  const long small_records = std::max(1L, records / 100);
  write_input(input, small_records);
  const fs::path small_directory = prepared_directory(scratch, "eb-com-small", input);
  const long small_memory = run(eb_com, small_directory).peak_memory_kib;

  const double tool_median = median(tool_rates);
  const double baseline_median = median(baseline_rates);
  std::printf("eb-com:   %12.0f records/s (median of %d runs)\n", tool_median, runs);
  std::printf("baseline: %12.0f records/s (median of %d runs)\n", baseline_median, runs);
  std::printf("ratio:    %12.1f\n", tool_median / baseline_median);
  std::printf("eb-com peak resident memory: %ld KiB for %ld records, %ld KiB for %ld records\n", small_memory,
              small_records, tool_memory, records);
  fs::remove_all(scratch);
  return 0;
}
