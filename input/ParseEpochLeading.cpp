#include "ParseEpochLeading.h"

#include "DecimalNumber.h"
#include "EpochRange.h"
#include "TextScanner.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <string>

namespace Brisvane {
namespace {

int DigitValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

bool IsDropped(char c)
{
    return IsBlank(c) || c == '\n';
}

bool CanBePartOfNumber(char c)
{
    return DigitValue(c) < 16 || std::string_view(".+-&HhOo").find(c) != std::string_view::npos;
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

}  // namespace

std::int32_t ParseEpochLeading(std::string_view text)
{
    // Digits typed with blanks between them ("1 600 000 000") read as one
    // number. Only the part that can still be a number matters: it ends at
    // the first character that no number, decimal or radix, contains. That
    // part is read in place unless it holds blanks to drop.
    std::size_t end = 0;
    bool hasBlanks = false;
    for (; end < text.size() && (IsDropped(text[end]) || CanBePartOfNumber(text[end])); ++end)
        hasBlanks = hasBlanks || IsDropped(text[end]);
    std::string_view rest = text.substr(0, end);
    std::string packed;
    if (hasBlanks) {
        packed.reserve(end);
        std::copy_if(rest.begin(), rest.end(), std::back_inserter(packed), [](char c) { return !IsDropped(c); });
        rest = packed;
    }

    if (TakeAnyOf(rest, "&")) {
        if (TakeAnyOf(rest, "Hh"))
            return ParseRadix(rest, 16, text);
        if (TakeAnyOf(rest, "Oo"))
            return ParseRadix(rest, 8, text);
        return 0;
    }

    DecimalNumber number;
    number.Negative = TakeSign(rest);
    number.IntegerDigits = TakeDigits(rest);
    if (TakeAnyOf(rest, "."))
        number.FractionDigits = TakeDigits(rest);
    if (number.IntegerDigits.empty() && number.FractionDigits.empty())
        return 0;

    // An exponent counts only when digits follow it: "12e" and "12e+" read as 12.
    if (TakeAnyOf(rest, "eE")) {
        const bool negative = TakeSign(rest);
        number.ExponentDigits = TakeDigits(rest);
        number.ExponentNegative = negative && !number.ExponentDigits.empty();
    }
    return RoundToEpoch(ToDouble(number), text);
}

}  // namespace Brisvane
