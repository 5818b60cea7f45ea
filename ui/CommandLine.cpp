#include "CommandLine.h"

#include "TextScanner.h"
#include "Unicode.h"

namespace Brisvane {

std::string CommandLineText(int argc, const char* const* argv)
{
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += ' ';
        text += argv[i];
    }
    text.erase(0, text.find_first_not_of(" \t"));
    return text;
}

std::string CommandLineText(std::u16string_view commandLine)
{
    std::size_t at = 0;
    bool quoted = false;
    for (; at < commandLine.size(); ++at) {
        if (commandLine[at] == u'"')
            quoted = !quoted;
        else if (!quoted && IsBlank(commandLine[at]))
            break;
    }
    while (at < commandLine.size() && IsBlank(commandLine[at]))
        ++at;
    return Utf8FromUtf16(commandLine.substr(at));
}

}  // namespace Brisvane
