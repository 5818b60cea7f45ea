#include "DecimalNumber.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>

namespace Brisvane {
namespace {

// Far beyond any double (1e309 overflows, 1e-324 underflows) yet far from
// the int64 limits, so that adding digit counts to it cannot overflow.
constexpr std::int64_t ExponentCap = 1'000'000'000;

std::int64_t SaturatedExponent(const DecimalNumber& number)
{
    std::int64_t exponent = 0;
    for (const char digit : number.ExponentDigits) {
        exponent = exponent * 10 + (digit - '0');
        if (exponent > ExponentCap) {
            exponent = ExponentCap;
            break;
        }
    }
    return number.ExponentNegative ? -exponent : exponent;
}

std::int64_t CappedLength(std::string_view digits)
{
    return static_cast<std::int64_t>(std::min<std::size_t>(digits.size(), ExponentCap));
}

}  // namespace

double ToDouble(const DecimalNumber& number)
{
    // Normalise to 0.<significant digits> x 10^scale, so that the text handed
    // to from_chars has a small exponent whatever the input looked like
    // ("0.000...0001e5000" or an exponent of a thousand digits).
    std::string_view integer = number.IntegerDigits;
    std::string_view fraction = number.FractionDigits;
    integer.remove_prefix(std::min(integer.find_first_not_of('0'), integer.size()));

    std::int64_t scale = SaturatedExponent(number) + CappedLength(integer);
    if (integer.empty()) {
        const std::size_t zeros = std::min(fraction.find_first_not_of('0'), fraction.size());
        scale -= CappedLength(fraction.substr(0, zeros));
        fraction.remove_prefix(zeros);
    }
    const double zero = number.Negative ? -0.0 : 0.0;
    if (integer.empty() && fraction.empty())
        return zero;
    const double infinity = number.Negative ? -std::numeric_limits<double>::infinity()
                                            : std::numeric_limits<double>::infinity();
    if (scale > 400)
        return infinity;
    if (scale < -400)
        return zero;

    // "0." digits "e" scale
    char scaleText[24];
    char* scaleEnd = std::to_chars(std::begin(scaleText), std::end(scaleText), scale).ptr;
    std::string text;
    text.reserve(3 + integer.size() + fraction.size() + static_cast<std::size_t>(scaleEnd - scaleText));
    text.append("0.").append(integer).append(fraction).append(1, 'e').append(scaleText, scaleEnd);
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return scale > 0 ? infinity : zero;
    return number.Negative ? -value : value;
}

}  // namespace Brisvane
