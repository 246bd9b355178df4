// Warnings on standard error about records the scan did not read whole: a
// record that set fewer than three numbers, text after the third number, a
// line cut into several records. The table and the transcript are the same
// with or without them, and so is the exit status; they only tell the user
// which lines to look at, by number. At most max_shown, then their count.
#pragma once

#include <cstdio>
#include <string_view>

#include "observation_scan.hpp"

namespace eb_com {

class RecordWarnings {
 public:
  static constexpr long long max_shown = 10;

  explicit RecordWarnings(std::FILE* stream) noexcept : stream_(stream) {}

  // Each record after its scan, in order. Nearly every record is read whole
  // and costs a comparison and the bookkeeping of its line.
  void note(std::string_view record, const RecordScan& scan) noexcept {
    if (continues_line_ && cut_line_reported_ != line_) [[unlikely]]
      report_cut_line();
    if (scan.fields_set != 3 || scan.text_after_third) [[unlikely]]
      report_scan(scan);
    for (int field = 0; field < scan.fields_set; ++field) set_on_line_[field] = line_;
    continues_line_ = record.back() != '\n';
    line_ += !continues_line_;
  }

  // After the last record: the count of the warnings not shown, if any.
  void finish() noexcept;

  long long count() const noexcept { return count_; }

 private:
  void report_cut_line() noexcept;
  void report_scan(const RecordScan& scan) noexcept;
  void write(std::initializer_list<std::string_view> pieces) noexcept;

  std::FILE* stream_;
  long long line_ = 1;             // the input line of the record, from 1
  long long set_on_line_[3] = {};  // the line that last set each field, 0 for none
  bool continues_line_ = false;    // the last record ended without its newline
  long long cut_line_reported_ = 0;
  long long count_ = 0;
};

}  // namespace eb_com
