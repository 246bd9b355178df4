#include "observation_scan.hpp"

#include <bit>

#include "numbers/byte_marks.hpp"
#include "numbers/number_scan.hpp"
#include "record_reader.hpp"

namespace eb_com {
namespace {

// A field is looked at in whole blocks, past the record's end where it is
// the last, and a record's shape in blocks from its start.
static_assert(record_padding >= self_printing_window && record_padding >= shape_read_past_end);

// Reads one field at p into field; returns where the next may start, past
// the white space after this one, or nullptr, leaving the field as it was,
// where the scan fails there. Inlined at each of its three uses.
template <bool with_value>
EB_COM_ALWAYS_INLINE const char* scan_field(const char* p, const char* last, Field<with_value>& field) noexcept {
  const SelfPrintingDecimal self_printing = find_self_printing_decimal(p, last);
  // The window's white space: after the decimal, it ends the number, and
  // so does the record's end. After anything else the scanf family may
  // take more into the same number ("1.5e3", "0x1", the digits past the
  // window), and the general scan decides.
  const unsigned spaces = space_marks(p);
  const char* const end = p + self_printing.length;
  if (self_printing.length != 0 && (end == last || (spaces >> self_printing.length & 1) != 0)) [[likely]] {
    field.set_self_printing(p, self_printing_reading(self_printing, *p == '-'));
    // The marks hold no white space past the window, and the bytes past
    // the record's end are not the record's.
    const char* const next = end + std::countr_one(spaces >> self_printing.length);
    if (next >= last) return last;
    return next == p + self_printing_window ? skip_scanf_space(next, last) : next;
  }
  double value = 0;
  const char* const number_end = scan_number(p, last, value);
  if (number_end == nullptr) return nullptr;
  field.set_value(value);
  return skip_scanf_space(number_end, last);
}

}  // namespace

RecordScan parse_observation(std::string_view record, Observation& observation, RecordShapes& shapes) noexcept {
  record = record.substr(0, max_record_length);
  const char* const first = record.data();
  if (EB_COM_RECORD_SHAPES) {
    if (const PlainFields* plain = shapes.plain_fields(first, record.size())) [[likely]] {
      const PlainFields& fields = *plain;
      observation.abscissa.set_self_printing(first + fields[0].start, fields[0].reading);
      observation.velocity1.set_self_printing(first + fields[1].start, fields[1].reading);
      observation.velocity2.set_self_printing(first + fields[2].start, fields[2].reading);
      return {3, false};
    }
  }
  const char* const last = first + record.size();
  // Most fields are decimals that print as themselves, read without a
  // general conversion, and the abscissa among them with none at all. The
  // fields are taken one by one, not in a loop: each stops the scan at a
  // field count of its own.
  const auto reached = [last](const char* p) { return p != last && *p != '\0'; };
  const char* p = skip_scanf_space(first, last);
  if (!reached(p) || (p = scan_field(p, last, observation.abscissa)) == nullptr) return {0, false};
  if (!reached(p) || (p = scan_field(p, last, observation.velocity1)) == nullptr) return {1, false};
  if (!reached(p) || (p = scan_field(p, last, observation.velocity2)) == nullptr) return {2, false};
  return {3, p != last};
}

}  // namespace eb_com
