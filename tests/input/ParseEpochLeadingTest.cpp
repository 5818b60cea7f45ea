#include "Error.h"
#include "ParseEpochLeading.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

using namespace Brisvane;

TEST(ParseEpochLeading, ReadsTheLeadingNumberAndIgnoresTheRest)
{
    struct Case {
        std::string text;
        std::int32_t value;
    };
    for (const Case& c : {
             Case{"1600000000", 1'600'000'000},
             Case{"123abc", 123},
             Case{"abc", 0},
             Case{"", 0},
             Case{"1.5", 2},
             Case{"2.5", 2},
             Case{"3.5", 4},
             Case{"-2.5", -2},
             Case{"-0.4", 0},
             Case{"0.4", 0},
             Case{"1e3", 1'000},
             Case{"1E3", 1'000},
             Case{"1,000", 1},
             Case{"1 2 3", 123},
             Case{" \t1\n6 0 0 000 000 ", 1'600'000'000},
             Case{"+42", 42},
             Case{"-5", -5},
             Case{".5e1", 5},
             Case{"5.", 5},
             Case{"12e", 12},
             Case{"12e+", 12},
             Case{"12e-1", 1},
             Case{"1.6e9", 1'600'000'000},
             Case{"&H10", 16},
             Case{"&hff", 255},
             Case{"&O17", 15},
             Case{"&o8", 0},
             Case{"&H", 0},
             Case{"&", 0},
             Case{"&X12", 0},
             Case{"&H7FFFFFFF", 2'147'483'647},
             Case{"-", 0},
             Case{"+", 0},
             Case{".", 0},
             Case{"2147483647", 2'147'483'647},
             Case{"-2147483648", -2'147'483'647 - 1},
             Case{"2147483647.4", 2'147'483'647},
             Case{"-2147483648.5", -2'147'483'647 - 1},
             Case{"1e-99999999999999999999", 0},
             Case{"0.0000000000000000000000000000001e31", 1},
             Case{std::string("12\00034", 5), 12},
             Case{"\xEF\xBC\x91", 0} /* full-width digit one */,
             Case{"1\r2", 1},
         }) {
        EXPECT_EQ(ParseEpochLeading(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ParseEpochLeading, OutOfRangeIsAnOverflow)
{
    for (const std::string& text :
         std::vector<std::string>{"21474836470", "1600000000000", "2147483648", "-2147483649", "2147483647.5", "1e10",
                                  "1e400", "-1e99999999999999999999", "&H80000000", "&O20000000000",
                                  "&HFFFFFFFFFFFFFFFFFFFFFFFF", std::string(5'000, '9')}) {
        try {
            ParseEpochLeading(text);
            ADD_FAILURE() << '"' << text.substr(0, 40) << "\" was accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.Kind(), ErrorKind::Overflow) << text.substr(0, 40);
        }
    }
}

TEST(ParseEpochLeading, DoesNotDependOnTheProcessLocale)
{
    // The toolkit sets the C library's locale from the environment; a German
    // session must still read the full stop as the decimal separator. The
    // German locale has another name in each C library.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string previousName = previous ? previous : "C";
    bool german = false;
    for (const char* name : {"de_DE.UTF-8", "German_Germany.1252"})
        german = german || std::setlocale(LC_ALL, name) != nullptr;
    ASSERT_TRUE(german) << "no German locale is installed (scripts/deps generates de_DE.UTF-8)";
    EXPECT_EQ(ParseEpochLeading("2.6"), 3);
    EXPECT_EQ(ParseEpochLeading("2,6"), 2);
    std::setlocale(LC_ALL, previousName.c_str());
}
