#pragma once

#include <string>
#include <string_view>

namespace Brisvane {

// The command line is one epoch value: the text after the program's name,
// taken whole, without the blanks that separate it from the name (so that
// blanks alone count as no value).

// Where the platform hands over separate arguments: they are joined with
// one blank between them.
std::string CommandLineText(int argc, const char* const* argv);

// Where the platform hands over the whole line, as Windows' GetCommandLineW
// does: the program's name is skipped by the C runtime's rule (quotes make
// blanks part of it, a blank outside quotes ends it), and the rest is
// converted from UTF-16 to UTF-8, an unpaired surrogate becoming U+FFFD.
std::string CommandLineText(std::u16string_view commandLine);

}  // namespace Brisvane
