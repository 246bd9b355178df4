// The plain stdio conversion that eb-com is measured against.
#include <cstdio>

#include "stdio_conversion.hpp"

int main() {
  std::puts(stdio_reference::banner);
  std::FILE* input = std::fopen("ZYKWo_HJX12_RV12.txt", "r");
  if (input == nullptr) return 1;
  std::FILE* table = std::fopen("RV_HJX12_COM-EB_itter00.dat", "w");
  if (table == nullptr) return 1;
  const stdio_reference::Summary summary = stdio_reference::convert(input, table, stdout);
  std::fclose(input);
  std::fclose(table);
  stdio_reference::write_summary(stdout, summary);
  return 0;
}
