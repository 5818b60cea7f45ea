#include "CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Brisvane;

TEST(CommandLineText, JoinsSeparateArguments)
{
    struct Case {
        std::vector<const char*> arguments;
        const char* text;
    };
    for (const Case& c : {
             Case{{}, ""},
             Case{{"1600000000"}, "1600000000"},
             Case{{"12", "abc"}, "12 abc"},
             Case{{"  ", " "}, ""},
             Case{{"  42 "}, "42 "},
             Case{{"-reverse"}, "-reverse"},
         }) {
        std::vector<const char*> argv = {"brisvane"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(CommandLineText(static_cast<int>(argv.size()), argv.data()), c.text);
    }
}

TEST(CommandLineText, SkipsTheProgramNameOfAWholeLine)
{
    struct Case {
        std::u16string line;
        std::string text;
    };
    for (const Case& c : {
             Case{u"Brisvane.exe 1600000000", "1600000000"},
             Case{u"Brisvane.exe", ""},
             Case{u"Brisvane.exe   ", ""},
             Case{u"\"C:\\Program Files\\Brisvane\\Brisvane.exe\" 42", "42"},
             Case{u"\"C:\\Program Files\\Brisvane\\Brisvane.exe\"", ""},
             Case{u"\"C:\\Program Files\\Brisvane\\Brisvane.exe\"\t\t-5", "-5"},
             // A quote inside the name keeps its blanks; the name ends at a blank outside quotes.
             Case{u"C:\\\"Program Files\"\\Brisvane.exe 7", "7"},
             // The rest is taken whole: blanks inside and after, quotes and all.
             Case{u"Brisvane.exe \t12  abc ", "12  abc "},
             Case{u"Brisvane.exe \"42\"", "\"42\""},
             Case{u"Brisvane.exe 2,5 \u65E5\U0001F600", "2,5 \xE6\x97\xA5\xF0\x9F\x98\x80"},
             Case{u"Brisvane.exe 1" + std::u16string(1, u'\xD800') + u"2", "1\uFFFD2"},
         }) {
        EXPECT_EQ(CommandLineText(c.line), c.text);
    }
}
