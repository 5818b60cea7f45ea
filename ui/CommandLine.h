#pragma once

#include <string>

// The text after the program's name: all arguments joined with one blank,
// without the blanks that lead it, so that blanks alone count as none.
std::string CommandLineText(int argc, const char* const* argv);
