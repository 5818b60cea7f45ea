#pragma once

#include <cstdint>
#include <string_view>

namespace Brisvane {

// Command-line text: the whole text must be one number, with blanks around
// it and a leading sign allowed, a fraction after the user's decimal
// separator (a text such as "." or ","), and an exponent (1.6e9). Rounded half to
// even. Raises the type-mismatch error for anything else, and the overflow
// error outside the 32-bit signed range.
std::int32_t ParseEpochStrict(std::string_view text, std::string_view decimalSeparator);

}  // namespace Brisvane
