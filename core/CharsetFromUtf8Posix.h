#pragma once

#include <string>
#include <string_view>

namespace Brisvane {

// A UTF-8 text in one of the C library's character sets, for a terminal of
// that set: the way back of Utf8FromCharset. A character the set lacks is
// written as the escape a message writes for it (\u20AC, \U0001F600), in
// ASCII, which every set the C library offers a locale in holds; a byte that
// is not UTF-8, as \xNN. In a set iconv does not know, every character past
// ASCII is written as its escape.
std::string CharsetFromUtf8(std::string_view utf8, const char* charset);

// Whether UTF-8 is written for a terminal of `charset` as it is: for UTF-8
// itself, and for the plain C locale's ASCII, whose terminal takes UTF-8
// nearly everywhere, as it sends it.
bool WritesAsUtf8(const char* charset);

}  // namespace Brisvane
