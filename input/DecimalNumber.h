#pragma once

#include <cstdint>
#include <string_view>

namespace Brisvane {

// A decimal number as its scanner found it in a text: sign, the digits
// before and after the decimal separator, and the exponent. The views point
// into the scanned text. At least one of the digit strings is not empty.
struct DecimalNumber {
    bool Negative = false;
    std::string_view IntegerDigits;
    std::string_view FractionDigits;
    bool ExponentNegative = false;
    std::string_view ExponentDigits;
};

// The double nearest to the number, correctly rounded whatever the length of
// its digit strings; +/-infinity beyond the double range, +/-0 below it.
double ToDouble(const DecimalNumber& number);

// Rounds to the nearest integer, halves to the even one (2.5 -> 2,
// 3.5 -> 4), and raises the overflow error, naming `source`, when the result
// lies outside the 32-bit signed range or the value is not finite.
std::int32_t RoundToEpoch(double value, std::string_view source);

// Raises the overflow error that says `source` is out of the epoch range.
[[noreturn]] void RaiseEpochOverflow(std::string_view source);

}  // namespace Brisvane
