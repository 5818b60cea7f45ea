#pragma once

#include <string>
#include <string_view>

namespace Brisvane {

// A double as decimal text: a hyphen-minus for negatives, at least one
// integer digit, no grouping, the given decimal separator, no trailing
// zeros, at most 15 significant digits (the last rounded). Zero, negative
// zero included, is "0". Magnitudes of 1e15 and above or below 1e-4 take an
// exponent ("1E+15", "1E-05"); no zone offset comes near either.
std::string NumberText(double value, std::string_view decimalSeparator);

}  // namespace Brisvane
