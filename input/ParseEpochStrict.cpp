#include "DecimalNumber.h"
#include "EpochText.h"
#include "Error.h"
#include "QuoteForMessage.h"

namespace Brisvane {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Consumes a run of digits from the front of `rest` and returns it.
std::string_view TakeDigits(std::string_view& rest)
{
    std::size_t n = 0;
    while (n < rest.size() && IsDigit(rest[n]))
        ++n;
    const std::string_view digits = rest.substr(0, n);
    rest.remove_prefix(n);
    return digits;
}

bool TakeSign(std::string_view& rest)
{
    const bool negative = !rest.empty() && rest.front() == '-';
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+'))
        rest.remove_prefix(1);
    return negative;
}

}  // namespace

std::int32_t ParseEpochStrict(std::string_view text, std::string_view decimalSeparator)
{
    // Grouping separators are not accepted: "1,000" means one thousand in
    // one locale and one in another, and a command line should not guess.
    const auto notNumber = [&] { RaiseTypeMismatch(QuoteForMessage(text) + " is not a number"); };

    std::string_view rest = text;
    while (!rest.empty() && IsBlank(rest.front()))
        rest.remove_prefix(1);
    while (!rest.empty() && IsBlank(rest.back()))
        rest.remove_suffix(1);

    DecimalNumber number;
    number.Negative = TakeSign(rest);
    number.IntegerDigits = TakeDigits(rest);
    if (!decimalSeparator.empty() && rest.starts_with(decimalSeparator)) {
        rest.remove_prefix(decimalSeparator.size());
        number.FractionDigits = TakeDigits(rest);
    }
    if (number.IntegerDigits.empty() && number.FractionDigits.empty())
        notNumber();
    if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
        rest.remove_prefix(1);
        number.ExponentNegative = TakeSign(rest);
        number.ExponentDigits = TakeDigits(rest);
        if (number.ExponentDigits.empty())
            notNumber();
    }
    if (!rest.empty())
        notNumber();
    return RoundToEpoch(ToDouble(number), text);
}

}  // namespace Brisvane
