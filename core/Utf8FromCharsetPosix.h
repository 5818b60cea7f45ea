#pragma once

#include <string>

namespace Brisvane {

// A text in one of the C library's character sets, as UTF-8, the program's
// own. glibc still ships locales in older character sets (ISO 8859, EUC,
// GB18030, KOI8-R...), and whatever such a locale gives the program comes in
// its set: the date strftime writes, the decimal separator, the command line
// typed in it. `charset` is the name nl_langinfo gives ("EUC-JP").
//
// A byte that is no character of the set stays the byte it is, which is
// not UTF-8: a message quotes it as the user typed it (\xFF), a window
// shows U+FFFD for it. Where UTF-8 would read it as a character (an ASCII
// byte, or a continuation after a lead byte so kept), U+FFFD stands in
// instead. The text goes on after it. Where ReadsAsUtf8(charset), the text
// is returned as it is.
std::string Utf8FromCharset(std::string text, const char* charset);

// Whether a text in `charset` reads as UTF-8 as it is: UTF-8 itself, and
// ASCII, which is UTF-8 already. In the plain C locale, whose set is ASCII,
// what a terminal sends is UTF-8 nearly everywhere, so it is read as such.
bool ReadsAsUtf8(const char* charset);

// The character set of the user's typing: that of LC_CTYPE, as the
// environment names it (LC_ALL, LC_CTYPE, LANG). A locale that is named but
// not installed counts as the C locale.
std::string UserCharset();

}  // namespace Brisvane
