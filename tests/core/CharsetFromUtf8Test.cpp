// The program's UTF-8 written back in the older character sets of glibc's
// locales, for the line on standard error.

#include "CharsetFromUtf8Posix.h"
#include "Utf8FromCharsetPosix.h"

#include <gtest/gtest.h>

#include <string>

using namespace Brisvane;

TEST(CharsetFromUtf8, WritesWhatTheSetLacksAsItsEscape)
{
    struct Case {
        const char* name;
        std::string utf8;
        const char* charset;
        std::string text;
    };
    for (const Case& c : {
             Case{"EUC-JP", "\"\uFF11\uFF16x\" \u5E74", "EUC-JP", "\"\xA3\xB1\xA3\xB6x\" \xC7\xAF"},
             Case{"ISO 8859-7", "\u03BC\u03BC", "ISO-8859-7", "\xEC\xEC"},
             // EUC-JP has no euro sign, and no set of glibc's an emoji.
             Case{"a character the set lacks", "1\u20AC2", "EUC-JP", "1\\u20AC2"},
             Case{"past U+FFFF", "\U0001F600", "ISO-8859-7", "\\U0001F600"},
             Case{"a byte that is not UTF-8",
                  "a\xFF"
                  "b",
                  "EUC-JP", "a\\xFFb"},
             // The shift into kanji is closed at the end, and where an
             // escape comes between kanji.
             Case{"ISO-2022-JP", "\u4E9C\u20AC\u4E9C", "ISO-2022-JP",
                  "\x1B$B\x30\x21\x1B(B\\u20AC\x1B$B\x30\x21\x1B(B"},
             Case{"a set iconv does not know", "1\u00E9", "NO-SUCH-SET", "1\\u00E9"},
             Case{"empty", "", "EUC-JP", ""},
         }) {
        EXPECT_EQ(CharsetFromUtf8(c.utf8, c.charset), c.text) << c.name;
    }
}

TEST(CharsetFromUtf8, ComesBackAsItWent)
{
    const std::string text = "brisvane: Type mismatch: \"\uFF11\uFF16\u5E74\" is not a number\n";
    for (const char* charset : {"EUC-JP", "GB18030", "ISO-2022-JP"})
        EXPECT_EQ(Utf8FromCharset(CharsetFromUtf8(text, charset), charset), text) << charset;
}
