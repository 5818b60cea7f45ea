#pragma once

#include <cstdint>
#include <string_view>

namespace Brisvane {

// Prompt text: blanks, tabs and line feeds are dropped wherever they stand,
// then the longest leading number is read, with the full stop as decimal
// separator whatever the locale; the rest is ignored and a text with no
// leading number gives 0. "&H" and "&O" start hexadecimal and octal digits.
// Rounded half to even; raises only the overflow error.
std::int32_t ParseEpochLeading(std::string_view text);

}  // namespace Brisvane
