// Texts in the older character sets of glibc's locales, as the program reads
// them: its regional formats and its command line.

#include "ScopedEnvironment.h"
#include "Utf8FromCharsetPosix.h"

#include <gtest/gtest.h>

#include <string>

using namespace Brisvane;

namespace {

std::string Repeated(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

}  // namespace

TEST(Utf8FromCharset, ConvertsAndKeepsWhatFollowsABadByte)
{
    struct Case {
        const char* name;
        std::string text;
        const char* charset;
        std::string utf8;
    };
    for (const Case& c : {
             Case{"EUC-JP", "2020\xC7\xAF 12\xBB\xFE", "EUC-JP", "2020\u5E74 12\u6642"},
             // Full-width digits, as a Japanese input method types them.
             Case{"EUC-JP digits", "\xA3\xB1\xA3\xB2x", "EUC-JP", "\uFF11\uFF12x"},
             // GB18030's four-byte form has ASCII digits for its second and
             // fourth bytes: read as bytes, they would be part of a number.
             Case{"GB18030 four bytes", "1\x81\x30\x81\x30\x32", "GB18030", "1\u00802"},
             Case{"ISO 8859-7", "\xEC\xEC", "ISO-8859-7", "\u03BC\u03BC"},
             Case{"ISO 8859-6", "\xD3", "ISO-8859-6", "\u0633"},
             // 0xFF is no character of ISO 8859-7, and a lead byte at the end
             // of an EUC-JP text has nothing to lead: each stays the byte
             // typed, for a message to quote.
             Case{"a byte without a character", "a\xFF\x62\xFF", "ISO-8859-7", "a\xFF\x62\xFF"},
             Case{"a character cut short", "x\xA3\xB1\xA3", "EUC-JP", "x\uFF11\xA3"},
             Case{"a stray byte before a character", "\xA0\xA3\xB1", "EUC-JP", "\xA0\uFF11"},
             // C2 A0, neither a character of EUC-JP, would be U+00A0 kept as
             // two bytes; so would E3 81 81, U+3041, of a set iconv does not
             // know.
             Case{"bytes that UTF-8 reads as a character", "\xC2\xA0", "EUC-JP", "\xC2\uFFFD"},
             Case{"bytes of an unknown set that UTF-8 reads", "\xE3\x81\x81", "NO-SUCH-SET", "\xE3\uFFFD\x81"},
             // What is UTF-8 or ASCII already is left alone, bytes that are
             // not UTF-8 included: the program's quoting shows them as they are.
             Case{"UTF-8", "\xE6\x97\xA5\xFF", "UTF-8", "\xE6\x97\xA5\xFF"},
             Case{"the C locale's ASCII", "\xE6\x97\xA5", "ANSI_X3.4-1968", "\xE6\x97\xA5"},
             Case{"a set iconv does not know", "1\xA3\xB1", "NO-SUCH-SET", "1\xA3\xB1"},
             Case{"empty", "", "EUC-JP", ""},
             // One byte in, three out: more than the first room for the text,
             // which then grows, after a character, after a bad byte, and
             // for a run of bad bytes.
             Case{"ISO 8859-15 euro signs", Repeated("\xA4", 40) + "!", "ISO-8859-15", Repeated("\u20AC", 40) + "!"},
             Case{"KOI8-R box drawing", "[" + Repeated("\x80\x81", 20) + "]", "KOI8-R",
                  "[" + Repeated("\u2500\u2502", 20) + "]"},
             Case{"euro signs after a bad byte", "\xFF" + Repeated("\xA4", 40), "ISO-8859-7",
                  "\xFF" + Repeated("\u20AC", 40)},
             Case{"bad bytes alone", Repeated("\xFF", 40), "ISO-8859-7", Repeated("\xFF", 40)},
             // A stray byte inside ISO-2022-JP's kanji leaves the shift as it
             // was: the same two bytes after it are the same kanji, not "0!".
             Case{"a bad byte in a shift", "\x1B$B\x30\x21\xFF\x30\x21\x1B(Bx", "ISO-2022-JP", "\u4E9C\xFF\u4E9Cx"},
             // Half a kanji: its ASCII byte would read as the digit 0.
             Case{"an ASCII byte in a shift", "\x1B$B\x30\x21\x30\x1B(Bx", "ISO-2022-JP", "\u4E9C\uFFFDx"},
         }) {
        EXPECT_EQ(Utf8FromCharset(c.text, c.charset), c.utf8) << c.name;
    }
}

TEST(Utf8FromCharset, UserCharsetIsTheOneOfTheTypingLocale)
{
    struct Case {
        ScopedEnvironment::Variables environment;
        const char* charset;
    };
    for (const Case& c : {
             Case{{{"LC_ALL", "ja_JP.EUC-JP"}}, "EUC-JP"},
             Case{{{"LC_ALL", std::nullopt}, {"LC_CTYPE", "zh_CN.GB18030"}, {"LANG", "en_US.UTF-8"}}, "GB18030"},
             // Only the typing counts, not the formats.
             Case{{{"LC_ALL", std::nullopt},
                   {"LC_CTYPE", std::nullopt},
                   {"LANG", "en_US.UTF-8"},
                   {"LC_TIME", "el_GR.ISO-8859-7"}},
                  "UTF-8"},
             Case{{{"LC_ALL", "xx_NOWHERE.EUC-JP"}}, "ANSI_X3.4-1968"},
         }) {
        const ScopedEnvironment environment(c.environment);
        EXPECT_EQ(UserCharset(), c.charset);
    }
}
