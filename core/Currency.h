#pragma once

#include <cstdint>

namespace Brisvane {

// A fixed-point number with four decimal places: the value is Raw / 10,000,
// exactly. Seconds are carried in this form so that adding the zone offset
// to an epoch value is exact integer arithmetic, done before any rounding.
struct Currency {
    static constexpr std::int64_t Scale = 10'000;

    std::int64_t Raw = 0;

    // Exact for every 32-bit value: |n| * 10,000 < 2^45.
    static constexpr Currency Widen(std::int32_t n) noexcept { return Currency{n * Scale}; }

    // One division, rounded to nearest: whole values below 2^53 come back exactly.
    double ToDouble() const noexcept { return static_cast<double>(Raw) / static_cast<double>(Scale); }

    friend bool operator==(Currency, Currency) = default;
};

// The exact sum; a sum outside the 64-bit range raises the overflow error.
Currency Add(Currency a, Currency b);

}  // namespace Brisvane
