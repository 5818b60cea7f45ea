#pragma once

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

}  // namespace Brisvane
