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
  // and costs one branch and the bookkeeping of its line.
  void note(std::string_view record, const RecordScan& scan) noexcept {
    if ((scan.fields_set != 3) | scan.text_after_third | continues_line_) [[unlikely]] {
      note_unusual(scan);
    } else {
      whole_line_ = line_;
    }
    continues_line_ = record.back() != '\n';
    line_ += !continues_line_;
  }

  // After the last record: the count of the warnings not shown, if any.
  void finish() noexcept;

  long long count() const noexcept { return count_; }

 private:
  void note_unusual(const RecordScan& scan) noexcept;
  // The line that last set a field, 0 for none: lines only grow, so the
  // later of the last record that set all three and the last that set it
  // alone.
  long long set_on_line(int field) const noexcept {
    return whole_line_ > partly_set_on_line_[field] ? whole_line_ : partly_set_on_line_[field];
  }
  void write(std::initializer_list<std::string_view> pieces) noexcept;

  std::FILE* stream_;
  long long line_ = 1;                    // the input line of the record, from 1
  long long whole_line_ = 0;              // the last line whose record set all three fields
  long long partly_set_on_line_[3] = {};  // the last that set each field but not all three
  bool continues_line_ = false;           // the last record ended without its newline
  long long cut_line_reported_ = 0;
  long long count_ = 0;
};

}  // namespace eb_com
