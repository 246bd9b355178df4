// The plain stdio conversion that eb-com is measured against.
#include <cstdio>

#include "stdio_conversion.hpp"

int main() {
  std::puts(eb_com::banner);
  std::FILE* input = std::fopen(eb_com::input_file_name, "r");
  if (input == nullptr) return 1;
  std::FILE* table = std::fopen(eb_com::output_file_name, "w");
  if (table == nullptr) return 1;
  const stdio_conversion::Summary summary = stdio_conversion::convert(input, table, stdout);
  std::fclose(input);
  std::fclose(table);
  stdio_conversion::write_summary(stdout, summary);
  return 0;
}
