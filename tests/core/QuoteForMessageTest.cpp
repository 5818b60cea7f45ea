#include "QuoteForMessage.h"

#include <gtest/gtest.h>

#include <string>

using namespace Brisvane;

TEST(QuoteForMessage, ShowsEveryCharacterThatWouldDisturbTheMessageAsAnEscape)
{
    struct Case {
        std::string text;
        std::string quoted;
    };
    for (const Case& c : {
             Case{"12x34", "\"12x34\""},
             Case{"d\xC3\xA9j\xC3\xA0 \xE6\x97\xA5", "\"d\xC3\xA9j\xC3\xA0 \xE6\x97\xA5\""},  // déjà 日 as they are
             Case{std::string("1\0002\n\x7F", 5), "\"1\\x002\\x0A\\x7F\""},
             Case{"\xC2\x85", "\"\\u0085\""},                 // C1: next line
             Case{"a\u2028b\u2029", "\"a\\u2028b\\u2029\""},  // line, paragraph separators
             Case{"\u202Erebmun", "\"\\u202Erebmun\""},       // right-to-left override
             Case{"\xE2\x81\xA6x\xE2\x80\x8B\xC2\xAD\xEF\xBB\xBF", "\"\\u2066x\\u200B\\u00AD\\uFEFF\""},
             Case{"\xF3\xA0\x80\x81", "\"\\U000E0001\""},  // a language tag
             // Not UTF-8: stray, overlong, surrogate, past U+10FFFF, cut short.
             Case{"\xFF\x80", "\"\\xFF\\x80\""},
             Case{"\xC0\xAF", "\"\\xC0\\xAF\""},
             Case{"\xED\xA0\x80", "\"\\xED\\xA0\\x80\""},
             Case{"\xF4\x90\x80\x80", "\"\\xF4\\x90\\x80\\x80\""},
             Case{"1\xE6\x97", "\"1\\xE6\\x97\""},
         }) {
        EXPECT_EQ(QuoteForMessage(c.text), c.quoted);
    }
}

TEST(QuoteForMessage, KeepsASensibleWidthWhateverItQuotes)
{
    const auto repeat = [](const std::string& piece, int times) {
        std::string s;
        for (int i = 0; i < times; ++i)
            s += piece;
        return s;
    };
    const std::string cut = "\xE2\x80\xA6\"";  // an ellipsis, then the closing quote
    struct Case {
        std::string text;
        std::string quoted;
    };
    for (const Case& c : {
             Case{repeat("9", 60), "\"" + repeat("9", 60) + "\""},
             Case{repeat("9", 61), "\"" + repeat("9", 60) + cut},
             // An escape counts its own length and is never cut in two.
             Case{repeat("\x01", 60), "\"" + repeat("\\x01", 15) + cut},
             Case{repeat("9", 58) + "\x01", "\"" + repeat("9", 58) + cut},
             Case{repeat("\xE2\x80\xA8", 10), "\"" + repeat("\\u2028", 10) + "\""},
             // A wide character counts two columns.
             Case{repeat("\xE6\x97\xA5", 31), "\"" + repeat("\xE6\x97\xA5", 30) + cut},
         }) {
        EXPECT_EQ(QuoteForMessage(c.text), c.quoted);
    }
}
