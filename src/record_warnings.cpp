#include "record_warnings.hpp"

#include "error_lines.hpp"
#include "numbers/fixed_point.hpp"
#include "numbers/number_scan.hpp"
#include "record_reader.hpp"
#include "tool_texts.hpp"

namespace eb_com {
namespace {

constexpr std::string_view field_names[] = {"the abscissa", "velocity 1", "velocity 2"};

// What editors on Windows put before the first line of a UTF-8 file.
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

// A spelling quoted in a warning is cut to this: enough for any number a
// table holds.
constexpr std::size_t max_quoted = 32;

struct Number {
  char text[20];
  std::size_t length;
  explicit Number(long long n) noexcept
      : length(static_cast<std::size_t>(format_integer(text, static_cast<std::uint64_t>(n)) - text)) {}
  std::string_view view() const noexcept { return {text, length}; }
};

// A carriage return with more of the line after it: the line end of a file
// written with CR alone, which the scan sees as one line.
bool has_carriage_return_line_end(std::string_view record) noexcept {
  for (std::size_t i = record.find('\r'); i != std::string_view::npos; i = record.find('\r', i + 1)) {
    if (i + 1 < record.size() && !is_scanf_space(record[i + 1])) return true;
  }
  return false;
}

}  // namespace

void RecordWarnings::write(std::string_view a, std::string_view b, std::string_view c, std::string_view d,
                           std::string_view e) noexcept {
  if (last_line_warned_ != line_) {
    last_line_warned_ = line_;
    ++lines_warned_;
  }
  if (++count_ <= max_shown) write_error_line(stream_, {"line ", Number(line_).view(), ": ", a, b, c, d, e});
}

void RecordWarnings::note_unusual(std::string_view record, const RecordScan& scan) noexcept {
  if (line_ == 1 && !continues_line_ && record.starts_with(byte_order_mark)) {
    write(
        "the file begins with a UTF-8 byte-order mark, which is not a number "
        "(save the file as UTF-8 without one, or as plain text)");
  }
  if (continues_line_ && cut_line_reported_ != line_) {
    cut_line_reported_ = line_;
    static_assert(max_record_length == 499);
    write("longer than 499 characters, read as several records");
  }
  const bool carriage_returns = has_carriage_return_line_end(record);
  if (carriage_returns && carriage_returns_reported_ != line_) {
    carriage_returns_reported_ = line_;
    write(
        "ends its lines with carriage returns alone (a file with old Mac line ends), so they are read as one "
        "line (convert the line ends to newlines)");
  }
  if (scan.fields_set == 3) {
    whole_line_ = line_;
    // With CR line ends the text after the third number is the next line,
    // and the warning above says so.
    if (scan.text_after_third && !carriage_returns) note_text_after_third(record);
    return;
  }
  note_fields_not_read(scan);
}

// "line 4: 1 of 3 numbers read; velocity 1 and velocity 2 kept from line 3":
// the fields not read, those kept from one line together.
void RecordWarnings::note_fields_not_read(const RecordScan& scan) noexcept {
  char kept[256];
  std::size_t length = 0;
  const auto append = [&](std::string_view piece) {
    piece.copy(kept + length, piece.size());
    length += piece.size();
  };
  for (int field = scan.fields_set; field < 3;) {
    int last = field;
    while (last + 1 < 3 && set_on_line(last + 1) == set_on_line(field)) ++last;
    if (field != scan.fields_set) append("; ");
    for (int named = field; named <= last; ++named) {
      if (named != field) append(named == last ? " and " : ", ");
      append(field_names[named]);
    }
    if (set_on_line(field) == 0) {
      append(" still unset (nan)");
    } else {
      append(" kept from line ");
      append(Number(set_on_line(field)).view());
    }
    field = last + 1;
  }
  const char digit = static_cast<char>('0' + scan.fields_set);
  write(std::string_view(&digit, 1), " of 3 numbers read; ", {kept, length});
  for (int field = 0; field < scan.fields_set; ++field) partly_set_on_line_[field] = line_;
}

// A comment after the numbers is harmless; a fourth number most often means
// a column of errors, and then the third column, read as velocity 2, is an
// error bar: the warning names it, so that the user sees which.
void RecordWarnings::note_text_after_third(std::string_view record) noexcept {
  const char* p = record.data();
  const char* const last = p + record.size();
  long long numbers = 0;
  std::string_view third;
  for (;;) {
    p = skip_scanf_space(p, last);
    double value;
    const char* const end = p == last ? nullptr : scan_number(p, last, value);
    if (end == nullptr) break;
    if (++numbers == 3) third = {p, static_cast<std::size_t>(end - p)};
    p = end;
  }
  if (numbers <= 3) {
    write("text after the third number ignored");
    return;
  }
  write(Number(numbers).view(), " numbers where 3 are read: the third, ", third.substr(0, max_quoted),
        third.size() > max_quoted ? "..." : "",
        ", is read as velocity 2 and the rest ignored (remove any columns of errors)");
}

void RecordWarnings::finish() noexcept {
  if (count_ <= max_shown) return;
  write_error_line(stream_, {Number(count_ - max_shown).view(), " more warnings not shown"});
}

void RecordWarnings::close(bool read_failed) noexcept {
  const long long lines = line_ - 1 + continues_line_;
  if (lines == 0) {
    if (!read_failed) write_error_line(stream_, {input_file_name, " is empty, so the table is empty too"});
    return;
  }
  if (lines_warned_ == 0) return;
  write_error_line(stream_,
                   {Number(lines_warned_).view(), " of ", Number(lines).view(), lines == 1 ? " line" : " lines", " of ",
                    input_file_name, " not read whole (see the warnings above)"});
}

}  // namespace eb_com
