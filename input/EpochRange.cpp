#include "EpochRange.h"

#include "Error.h"
#include "QuoteForMessage.h"

#include <cmath>
#include <limits>
#include <string>

namespace Brisvane {

std::int32_t RoundToEpoch(double value, std::string_view source)
{
    // Anything outside this window rounds outside the 32-bit range; NaN fails too.
    if (!(value > -2'147'483'649.0 && value < 2'147'483'648.0))
        RaiseEpochOverflow(source);
    // Banker's rounding, done by hand so that it does not depend on the
    // floating-point rounding mode. value - floor(value) is exact here.
    const double below = std::floor(value);
    const double rest = value - below;
    auto rounded = static_cast<std::int64_t>(below);
    if (rest > 0.5 || (rest == 0.5 && rounded % 2 != 0))
        ++rounded;
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
        RaiseEpochOverflow(source);
    return static_cast<std::int32_t>(rounded);
}

void RaiseEpochOverflow(std::string_view source)
{
    RaiseOverflow(QuoteForMessage(source) + " is outside the range -2147483648 to 2147483647");
}

}  // namespace Brisvane
