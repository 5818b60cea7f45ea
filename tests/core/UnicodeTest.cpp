#include "Unicode.h"

#include <gtest/gtest.h>

using namespace Brisvane;

TEST(Unicode, ConvertsBetweenUtf8AndUtf16)
{
    struct Case {
        std::u16string utf16;
        std::string utf8;
    };
    for (const Case& c : {
             Case{u"", ""}, Case{u"12:26:40", "12:26:40"},
             Case{u"13.9.2020 \u00E9\u65E5", "13.9.2020 \xC3\xA9\xE6\x97\xA5"},
             Case{u"\U0001F600", "\xF0\x9F\x98\x80"},  // a surrogate pair
         }) {
        EXPECT_EQ(Utf8FromUtf16(std::u16string_view(c.utf16)), c.utf8);
        EXPECT_EQ(Utf16FromUtf8<char16_t>(c.utf8), c.utf16);
    }
}

TEST(Unicode, ReplacesWhatCannotBeConverted)
{
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Utf8FromUtf16(std::u16string_view(u"a\xD800z")), "a" + replacement + "z");  // high surrogate alone
    EXPECT_EQ(Utf8FromUtf16(std::u16string_view(u"\xDC00")), replacement);                // low surrogate first
    EXPECT_EQ(Utf16FromUtf8<char16_t>("a\xFF\xC0\xAFz"), u"a\uFFFD\uFFFD\uFFFDz");
    EXPECT_EQ(Utf16FromUtf8<char16_t>("\xE6\x97"), u"\uFFFD\uFFFD");  // cut short
}
