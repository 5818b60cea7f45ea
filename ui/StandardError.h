#pragma once

#include <string_view>

namespace Brisvane {

// Writes a text of the program's (UTF-8) to standard error as the user's
// terminal reads it, and flushes it. Standard error may be closed, a file,
// or a pipe nobody reads: a failed write changes nothing.
void WriteToStandardError(std::string_view utf8);

}  // namespace Brisvane
