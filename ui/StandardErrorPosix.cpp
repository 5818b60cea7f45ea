#include "StandardError.h"

#include "CharsetFromUtf8Posix.h"
#include "Utf8FromCharsetPosix.h"

#include <cstdio>
#include <string>

namespace Brisvane {

// In the character set of LC_CTYPE, the one the command line is read in, so
// that what the user typed comes back as typed.
void WriteToStandardError(std::string_view utf8)
{
    const std::string charset = UserCharset();
    const std::string text = WritesAsUtf8(charset.c_str()) ? std::string(utf8) : CharsetFromUtf8(utf8, charset.c_str());
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace Brisvane
