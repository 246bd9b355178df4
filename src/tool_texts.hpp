// Every fixed name and text of the tool: the two files, the transcript's
// banner and summary, and the messages. The program, its tests, the fuzz
// target and the benchmark all take them from here.
#pragma once

namespace eb_com {

inline constexpr char input_file_name[] = "ZYKWo_HJX12_RV12.txt";
inline constexpr char output_file_name[] = "RV_HJX12_COM-EB_itter00.dat";

// Written as a line, so one more newline follows it.
inline constexpr char banner[] = "\n               Program do transformacji danych\n";

// Each record's echo line on the transcript and row in the table. The
// figures of them that the formatter works with are named beside them.
inline constexpr char echo_line_format[] = "%lf %lf %lf \n";
inline constexpr char row_format[] = "%7.6lf %4.3lf \n";
inline constexpr int lf_decimals = 6;       // of "%lf", and of "%7.6lf"
inline constexpr int abscissa_width = 7;    // "%7.6lf"
inline constexpr int vcm_width = 4;         // "%4.3lf"
inline constexpr int vcm_decimals = 3;

namespace tool_texts_detail {
// Whether format starts with "%<width>.<decimals>lf", single digits each.
constexpr bool starts_with_conversion(const char* format, int width, int decimals) {
  return format[0] == '%' && format[1] == '0' + width && format[2] == '.' && format[3] == '0' + decimals &&
         format[4] == 'l' && format[5] == 'f';
}
}  // namespace tool_texts_detail
static_assert(tool_texts_detail::starts_with_conversion(row_format, abscissa_width, lf_decimals));
static_assert(tool_texts_detail::starts_with_conversion(row_format + 7, vcm_width, vcm_decimals));

// The summary, after the last echo line.
inline constexpr char count_format[] = "\n\t liczba obserwacji = %lld\n";
inline constexpr char v_max_format[] = "\n\t V max = %lf\n";
inline constexpr char v_min_format[] = "\n\t V min = %lf\n";

// Each names the file it is about.
inline constexpr char no_input_format[] = "\n\nno file:%s!\n";
inline constexpr char no_table_format[] = "\n\n  there is no file:%s!\n";
inline constexpr char read_error_format[] = "\n\nread error in file:%s!\n";
inline constexpr char write_error_format[] = "\n\n  write error in file:%s!\n";
inline constexpr char table_is_input_format[] = "\n\n  the table is the input file:%s!\n";
inline constexpr char out_of_memory_format[] = "\n\nnot enough memory to open file:%s!\n";

// A standard stream that is one of the data files: refused before anything
// is written, on whichever of standard output and standard error is not.
inline constexpr char transcript_is_input_format[] = "eb-com: standard output is the input file:%s!\n";
inline constexpr char transcript_is_table_format[] = "eb-com: standard output is the table:%s!\n";
inline constexpr char errors_are_input_format[] = "eb-com: standard error is the input file:%s!\n";
inline constexpr char errors_are_table_format[] = "eb-com: standard error is the table:%s!\n";

// Lines on standard error begin so: the system's reason for a failure, a
// record the scan did not read whole, an argument the program does not take.
inline constexpr char error_line_start[] = "eb-com: ";

}  // namespace eb_com
