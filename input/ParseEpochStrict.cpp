#include "ParseEpochStrict.h"

#include "DecimalNumber.h"
#include "EpochRange.h"
#include "Error.h"
#include "QuoteForMessage.h"
#include "TextScanner.h"

namespace Brisvane {

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
    if (TakeAnyOf(rest, "eE")) {
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
