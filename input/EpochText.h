#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace Brisvane {

// Command-line text: the whole text must be one number, with blanks around
// it and a leading sign allowed, a fraction after the user's decimal
// separator (a text such as "." or ","), and an exponent (1.6e9). Rounded half to
// even. Raises the type-mismatch error for anything else, and the overflow
// error outside the 32-bit signed range.
std::int32_t ParseEpochStrict(std::string_view text, std::string_view decimalSeparator);

// Prompt text: blanks, tabs and line feeds are dropped wherever they stand,
// then the longest leading number is read, with the full stop as decimal
// separator whatever the locale; the rest is ignored and a text with no
// leading number gives 0. "&H" and "&O" start hexadecimal and octal digits.
// Rounded half to even; raises only the overflow error.
std::int32_t ParseEpochLeading(std::string_view text);

// The epoch value's display text: plain decimal, hyphen-minus for negatives.
std::string EpochText(std::int32_t value);

}  // namespace Brisvane
