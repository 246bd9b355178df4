#include "observation_scan.hpp"

#include "numbers/number_scan.hpp"
#include "record_reader.hpp"

namespace eb_com {
namespace {

// A field is looked at in whole blocks, past the record's end where it is
// the last.
static_assert(record_padding >= self_printing_window);

const char* skip_space(const char* p, const char* last) noexcept {
  while (p != last && is_scanf_space(*p)) ++p;
  return p;
}

// Where a self-printing decimal is followed by one of these, the scanf
// family takes more of the text into the same number ("1.5e3", "0x1", the
// digits past the window): the general scan decides.
bool continues_number(const char* p, const char* last) noexcept {
  if (p == last) return false;
  const char c = static_cast<char>(*p | 0x20);  // lower case for letters
  return (*p >= '0' && *p <= '9') || *p == '.' || c == 'e' || c == 'x';
}

// Reads one field at p into field; returns its end, or nullptr, leaving the
// field as it was, where the scan fails there. Inlined at each of its three
// uses.
template <bool with_value>
EB_COM_ALWAYS_INLINE const char* scan_field(const char* p, const char* last, Field<with_value>& field) noexcept {
  const SelfPrintingDecimal self_printing = find_self_printing_decimal(p, last);
  const char* end = p + self_printing.length;
  if (self_printing.length != 0 && !continues_number(end, last)) [[likely]] {
    field.set_self_printing(p, self_printing);
    return end;
  }
  double value = 0;
  end = scan_number(p, last, value);
  if (end != nullptr) field.set_value(value);
  return end;
}

}  // namespace

RecordScan parse_observation(std::string_view record, Observation& observation) noexcept {
  record = record.substr(0, max_record_length);
  const char* const last = record.data() + record.size();
  // Most fields are decimals that print as themselves, read without a
  // general conversion, and the abscissa among them with none at all. The
  // fields are taken one by one, not in a loop: each stops the scan at a
  // field count of its own.
  const auto reaches_field = [last](const char*& p) {
    p = skip_space(p, last);
    return p != last && *p != '\0';
  };
  const char* p = record.data();
  if (!reaches_field(p) || (p = scan_field(p, last, observation.abscissa)) == nullptr) return {0, false};
  if (!reaches_field(p) || (p = scan_field(p, last, observation.velocity1)) == nullptr) return {1, false};
  if (!reaches_field(p) || (p = scan_field(p, last, observation.velocity2)) == nullptr) return {2, false};
  return {3, skip_space(p, last) != last};
}

}  // namespace eb_com
