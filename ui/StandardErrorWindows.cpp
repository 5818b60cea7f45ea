#include "StandardError.h"

#include <cstdio>

namespace Brisvane {

// As it is, in UTF-8: a program of Windows' GUI subsystem has standard
// error only where the caller redirects it, into a file or a pipe.
void WriteToStandardError(std::string_view utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}

}  // namespace Brisvane
