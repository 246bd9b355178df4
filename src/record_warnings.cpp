#include "record_warnings.hpp"

#include "error_lines.hpp"
#include "fixed_point.hpp"
#include "record_reader.hpp"

namespace eb_com {
namespace {

constexpr std::string_view field_names[] = {"the abscissa", "velocity 1", "velocity 2"};

struct Number {
  char text[20];
  std::size_t length;
  explicit Number(long long n) noexcept
      : length(static_cast<std::size_t>(format_integer(text, static_cast<std::uint64_t>(n)) - text)) {}
  std::string_view view() const noexcept { return {text, length}; }
};

}  // namespace

void RecordWarnings::write(std::initializer_list<std::string_view> pieces) noexcept {
  if (++count_ <= max_shown) write_error_line(stream_, pieces);
}

void RecordWarnings::note_unusual(const RecordScan& scan) noexcept {
  const Number line(line_);
  if (continues_line_ && cut_line_reported_ != line_) {
    cut_line_reported_ = line_;
    static_assert(max_record_length == 499);
    write({"line ", line.view(), ": longer than 499 characters, read as several records"});
  }
  if (scan.fields_set == 3) {
    whole_line_ = line_;
    if (scan.text_after_third) write({"line ", line.view(), ": text after the third number ignored"});
    return;
  }
  // "line 4: 1 of 3 numbers read; velocity 1 and velocity 2 kept from line
  // 3": the fields not read, those kept from one line together.
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
  write({"line ", line.view(), ": ", std::string_view(&digit, 1), " of 3 numbers read; ", {kept, length}});
  for (int field = 0; field < scan.fields_set; ++field) partly_set_on_line_[field] = line_;
}

void RecordWarnings::finish() noexcept {
  if (count_ <= max_shown) return;
  write_error_line(stream_, {Number(count_ - max_shown).view(), " more warnings not shown"});
}

}  // namespace eb_com
