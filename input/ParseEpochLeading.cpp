#include "DecimalNumber.h"
#include "EpochText.h"
#include "ScratchText.h"

#include <limits>

namespace Brisvane {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

// "&H1F" or "&O17": the digits are read as a plain non-negative value; a
// value past the 32-bit signed range is an overflow like any other (no
// two's-complement reading, so "&HFFFFFFFF" does not turn into -1).
std::int32_t ParseRadix(std::string_view digits, int radix, std::string_view source)
{
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (const char c : digits) {
        const int digit = DigitValue(c);
        if (digit >= radix)
            break;
        value = value * radix + digit;
        if (value > limit)
            RaiseEpochOverflow(source);
    }
    return static_cast<std::int32_t>(value);
}

bool CanBePartOfNumber(char c)
{
    return DigitValue(c) < 16 || c == '.' || c == '+' || c == '-' || c == '&' || c == 'H' || c == 'h' || c == 'O' ||
           c == 'o';
}

std::size_t CountDigits(std::string_view text, std::size_t from)
{
    std::size_t n = from;
    while (n < text.size() && IsDigit(text[n]))
        ++n;
    return n - from;
}

}  // namespace

std::int32_t ParseEpochLeading(std::string_view text)
{
    // Digits typed with blanks between them ("1 600 000 000") read as one
    // number. Only the part that can still be a number matters: it ends at
    // the first character that no number, decimal or radix, contains. That
    // part is read in place unless it holds blanks to drop.
    std::size_t end = 0;
    bool hasBlanks = false;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (c == ' ' || c == '\t' || c == '\n')
            hasBlanks = true;
        else if (!CanBePartOfNumber(c))
            break;
    }
    std::string_view s = text.substr(0, end);
    ScratchText packed(hasBlanks ? end : 0);
    if (hasBlanks) {
        char* out = packed.Data();
        for (const char c : s)
            if (c != ' ' && c != '\t' && c != '\n')
                *out++ = c;
        s = std::string_view(packed.Data(), static_cast<std::size_t>(out - packed.Data()));
    }

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h')
            return ParseRadix(s.substr(2), 16, text);
        if (s[1] == 'O' || s[1] == 'o')
            return ParseRadix(s.substr(2), 8, text);
        return 0;
    }

    DecimalNumber number;
    std::size_t at = 0;
    if (at < s.size() && (s[at] == '+' || s[at] == '-'))
        number.Negative = s[at++] == '-';
    number.IntegerDigits = s.substr(at, CountDigits(s, at));
    at += number.IntegerDigits.size();
    if (at < s.size() && s[at] == '.') {
        number.FractionDigits = s.substr(at + 1, CountDigits(s, at + 1));
        at += 1 + number.FractionDigits.size();
    }
    if (number.IntegerDigits.empty() && number.FractionDigits.empty())
        return 0;

    // An exponent counts only when digits follow it: "12e" and "12e+" read as 12.
    if (at < s.size() && (s[at] == 'e' || s[at] == 'E')) {
        std::size_t digitsAt = at + 1;
        const bool negative = digitsAt < s.size() && s[digitsAt] == '-';
        if (digitsAt < s.size() && (s[digitsAt] == '+' || s[digitsAt] == '-'))
            ++digitsAt;
        const std::size_t count = CountDigits(s, digitsAt);
        if (count > 0) {
            number.ExponentNegative = negative;
            number.ExponentDigits = s.substr(digitsAt, count);
        }
    }
    return RoundToEpoch(ToDouble(number), text);
}

}  // namespace Brisvane
