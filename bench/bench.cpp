// Runs eb-com beside the plain stdio baseline and the floor program, each in
// turn, and prints three figures: eb-com's CPU time on the bundled sample
// against the baseline's, its throughput on a large generated file against
// the baseline's, and its time there as a multiple of the floor's. It checks
// first that eb-com and the baseline print and write the same bytes.
//
//   eb-com-bench EB_COM BASELINE FLOOR SAMPLE [RECORDS [RUNS [SCRATCH_DIR]]]
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "generated_records.hpp"
#include "program_run.hpp"
#include "tool_texts.hpp"

namespace fs = std::filesystem;

namespace {

using eb_com::input_file_name;
using eb_com::output_file_name;

// Runs of each program on the sample: a run there is about a millisecond, so
// many are needed for a steady median.
constexpr int small_file_runs = 301;

// A table as observers write them (test_support::TableGenerator).
void write_input(const fs::path& path, long records) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (file == nullptr) {
    std::perror(path.c_str());
    std::exit(2);
  }
  test_support::TableGenerator lines(2024);
  for (long i = 0; i < records; ++i) std::fputs(lines.next().c_str(), file);
  std::fclose(file);
}

struct Run {
  double seconds;
  double cpu_seconds;
  long peak_memory_kib;
};

// Runs program in directory with standard output to a file beside it.
Run run(const std::string& program, const fs::path& directory, const std::vector<std::string>& arguments = {}) {
  const std::string transcript = (directory.parent_path() / (directory.filename().string() + ".stdout")).string();
  support::Launch launch;
  launch.program = program;
  launch.arguments = arguments;
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
  return {elapsed.count(), exit.cpu_seconds, exit.peak_memory_kib};
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

// The first run of each is compared; a difference ends the benchmark.
void check_same_outputs(const fs::path& scratch, const char* tool, const char* baseline) {
  if (!(same_bytes(scratch / tool / output_file_name, scratch / baseline / output_file_name) &&
        same_bytes(scratch / (std::string(tool) + ".stdout"), scratch / (std::string(baseline) + ".stdout")))) {
    std::fprintf(stderr, "eb-com and the baseline differ: compare the files in %s\n", scratch.c_str());
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s EB_COM BASELINE FLOOR SAMPLE [RECORDS [RUNS [SCRATCH_DIR]]]\n", argv[0]);
    return 2;
  }
  const std::string eb_com = fs::absolute(argv[1]).string();
  const std::string baseline = fs::absolute(argv[2]).string();
  const std::string floor = fs::absolute(argv[3]).string();
  const fs::path sample = fs::absolute(argv[4]);
  const long records = argc > 5 ? std::atol(argv[5]) : 2'000'000;
  const int runs = std::max(3, argc > 6 ? std::atoi(argv[6]) : 5);
  const fs::path scratch = argc > 7 ? fs::path(argv[7]) : fs::temp_directory_path() / "eb-com-bench";
  fs::create_directories(scratch);

  // The files people have: dozens to thousands of lines, where starting the
  // process is most of the cost.
  const fs::path small_tool = prepared_directory(scratch, "sample-eb-com", sample);
  const fs::path small_baseline = prepared_directory(scratch, "sample-baseline", sample);
  std::vector<double> small_tool_cpu, small_baseline_cpu;
  for (int i = 0; i < small_file_runs; ++i) {
    small_tool_cpu.push_back(run(eb_com, small_tool).cpu_seconds);
    small_baseline_cpu.push_back(run(baseline, small_baseline).cpu_seconds);
    if (i == 0) check_same_outputs(scratch, "sample-eb-com", "sample-baseline");
  }

  std::printf("generating %ld records\n", records);
  const fs::path input = scratch / "input.txt";
  write_input(input, records);
  const fs::path tool_directory = prepared_directory(scratch, "eb-com", input);
  const fs::path baseline_directory = prepared_directory(scratch, "baseline", input);
  const fs::path floor_directory = prepared_directory(scratch, "floor", input);

  std::vector<double> tool_seconds, baseline_seconds, floor_seconds, tool_cpu_seconds, baseline_cpu_seconds;
  long tool_memory = 0;
  std::vector<std::string> floor_arguments;
  for (int i = 0; i < runs; ++i) {
    const Run tool = run(eb_com, tool_directory);
    if (i == 0) {
      floor_arguments = {std::to_string(records), std::to_string(fs::file_size(tool_directory / output_file_name)),
                         std::to_string(fs::file_size(scratch / "eb-com.stdout"))};
    }
    const Run plain = run(baseline, baseline_directory);
    if (i == 0) check_same_outputs(scratch, "eb-com", "baseline");
    const Run bare = run(floor, floor_directory, floor_arguments);
    tool_seconds.push_back(tool.seconds);
    baseline_seconds.push_back(plain.seconds);
    tool_cpu_seconds.push_back(tool.cpu_seconds);
    baseline_cpu_seconds.push_back(plain.cpu_seconds);
    floor_seconds.push_back(bare.seconds);
    tool_memory = std::max(tool_memory, tool.peak_memory_kib);
  }
  std::printf("outputs: table and transcript identical byte for byte\n");

  const long small_records = std::max(1L, records / 100);
  write_input(input, small_records);
  const fs::path hundredth_directory = prepared_directory(scratch, "eb-com-hundredth", input);
  // As many runs as for the large file, the largest peak of each: a run's
  // peak moves by a few pages of program text from one run to the next.
  long hundredth_memory = 0;
  for (int i = 0; i < runs; ++i) {
    hundredth_memory = std::max(hundredth_memory, run(eb_com, hundredth_directory).peak_memory_kib);
  }

  const double tool_cpu = median(small_tool_cpu);
  const double baseline_cpu = median(small_baseline_cpu);
  std::printf("sample file, CPU time a run (median of %d runs each):\n", small_file_runs);
  std::printf("  eb-com:   %8.3f ms\n  baseline: %8.3f ms\n  ratio:    %8.2f\n", tool_cpu * 1e3, baseline_cpu * 1e3,
              tool_cpu / baseline_cpu);
  const double tool_rate = static_cast<double>(records) / median(tool_seconds);
  const double baseline_rate = static_cast<double>(records) / median(baseline_seconds);
  std::printf("%ld records (median of %d runs each):\n", records, runs);
  std::printf("  eb-com:   %12.0f records/s\n  baseline: %12.0f records/s\n  ratio:    %12.1f\n", tool_rate,
              baseline_rate, tool_rate / baseline_rate);
  std::printf("  ratio of CPU times (user and system): %.1f\n",
              median(baseline_cpu_seconds) / median(tool_cpu_seconds));
  std::printf("  eb-com's time as a multiple of the floor's: %.2f\n", median(tool_seconds) / median(floor_seconds));
  std::printf("eb-com peak resident memory: %ld KiB for %ld records, %ld KiB for %ld records\n", hundredth_memory,
              small_records, tool_memory, records);
  fs::remove_all(scratch);
  return 0;
}
