#include "observation_scan.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "decimal_scan.hpp"
#include "record_reader.hpp"

namespace eb_com {
namespace {

// A field is looked at in whole blocks, past the record's end where it is
// the last.
static_assert(record_padding >= self_printing_window);

// White space as the scanf family sees it in the POSIX locale.
bool is_space(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

const char* skip_space(const char* p, const char* last) noexcept {
  while (p != last && is_space(*p)) ++p;
  return p;
}

// A number sscanf reads ends at white space, at a NUL or at the record's end.
bool ends_number(const char* p, const char* last) noexcept { return p == last || *p == '\0' || is_space(*p); }

// The rare record, with any other shape of number or text among its fields.
// Its caller clears the spellings.
int scan_with_sscanf(std::string_view record, Observation& observation, ScannedAbscissa& abscissa) noexcept {
  // sscanf needs a terminated string, and gets values of its own, for the
  // same reason.
  char text[max_record_length + 1];
  std::memcpy(text, record.data(), record.size());
  text[record.size()] = '\0';
  Observation scanned = observation;
  double abscissa_value = unset_field;
  const int count = std::sscanf(text, " %lf %lf %lf ", &abscissa_value, &scanned.velocity1, &scanned.velocity2);
  observation = scanned;
  if (count >= 1) abscissa.set_value(abscissa_value);
  return std::max(0, count);
}

int fall_back(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept {
  spellings.velocity1 = spellings.velocity2 = {};
  return scan_with_sscanf(record, observation, spellings.abscissa);
}

// Reads one field at p into value and spelling; returns its end, or nullptr
// where only sscanf may judge it. The abscissa's self-printing spelling is
// not converted. Inlined at each of its three uses, each with its own
// constant for convert_self_printing.
template <bool convert_self_printing>
[[gnu::always_inline]] inline const char* scan_field(const char* p, const char* last, double& value,
                                                     FieldSpelling& spelling) noexcept {
  const SelfPrintingDecimal self_printing = find_self_printing_decimal(p, last);
  const char* end = p + self_printing.length;
  if (self_printing.length != 0 && ends_number(end, last)) [[likely]] {
    if constexpr (convert_self_printing) value = self_printing_value(p, self_printing);
    spelling = {p, self_printing.length, self_printing};
    return end;
  }
  end = scan_plain_decimal(p, last, value);
  if (end == nullptr || !ends_number(end, last)) return nullptr;
  spelling = {p, static_cast<std::uint32_t>(end - p), {}};
  return end;
}

}  // namespace

int parse_observation(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept {
  record = record.substr(0, max_record_length);
  const char* const last = record.data() + record.size();

  // Every field a plain decimal ending where sscanf would end it, or the
  // record goes to sscanf; a value stored before that is one sscanf stores
  // again. Most fields are decimals that print as themselves, read without a
  // general conversion, and the abscissa among them with none at all. The
  // fields are taken one by one, not in a loop: each stops the scan at a
  // field count of its own.
  const auto reaches_field = [last](const char*& p) {
    p = skip_space(p, last);
    return p != last && *p != '\0';
  };
  const char* p = record.data();
  if (!reaches_field(p)) {
    spellings.velocity1 = spellings.velocity2 = {};
    return 0;
  }
  double abscissa_value = unset_field;
  FieldSpelling abscissa_spelling;
  p = scan_field<false>(p, last, abscissa_value, abscissa_spelling);
  if (p == nullptr) [[unlikely]] return fall_back(record, observation, spellings);
  if (abscissa_spelling.self_printing.length != 0) {
    spellings.abscissa.set_self_printing(abscissa_spelling);
  } else {
    spellings.abscissa.set_value(abscissa_value);
  }
  if (!reaches_field(p)) {
    spellings.velocity1 = spellings.velocity2 = {};
    return 1;
  }
  p = scan_field<true>(p, last, observation.velocity1, spellings.velocity1);
  if (p == nullptr) [[unlikely]] return fall_back(record, observation, spellings);
  if (!reaches_field(p)) {
    spellings.velocity2 = {};
    return 2;
  }
  p = scan_field<true>(p, last, observation.velocity2, spellings.velocity2);
  if (p == nullptr) [[unlikely]] return fall_back(record, observation, spellings);
  return 3;
}

}  // namespace eb_com
