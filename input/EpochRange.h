#pragma once

#include <cstdint>
#include <string_view>

namespace Brisvane {

// An epoch value is a 32-bit signed count of seconds; both parsers end here.

// Rounds to the nearest integer, halves to the even one (2.5 -> 2,
// 3.5 -> 4), and raises the overflow error, naming `source`, when the result
// lies outside the 32-bit signed range or the value is not finite.
std::int32_t RoundToEpoch(double value, std::string_view source);

// Raises the overflow error that says `source` is out of the epoch range.
[[noreturn]] void RaiseEpochOverflow(std::string_view source);

}  // namespace Brisvane
