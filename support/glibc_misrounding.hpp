// Where a live comparison with an older glibc must leave a field out: its
// known misrounding of hexadecimal subnormals (platform.hpp).
#pragma once

#include <string_view>

namespace support {

// Whether theirs, the C library's value of the field text, differs from
// ours by that misrounding alone: on such a glibc only, a hexadecimal
// field, both values below the least normal double, one unit apart.
bool is_glibc_hex_subnormal_misrounding(std::string_view text, double ours, double theirs) noexcept;

// Whether a field that sscanf(" %lf %lf %lf ") reads from any record of
// input (cut as fgets cuts it) is one: whole runs compared with the stdio
// conversion leave such inputs out.
bool holds_glibc_hex_subnormal_misrounding(std::string_view input);

}  // namespace support
