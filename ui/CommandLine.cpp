#include "CommandLine.h"

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
