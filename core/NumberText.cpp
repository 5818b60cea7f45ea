#include "NumberText.h"

#include <charconv>
#include <cmath>

namespace Brisvane {

std::string NumberText(double value, std::string_view decimalSeparator)
{
    if (value == 0.0)
        return "0";  // also for -0.0, which "-0" would show as a sign without a value
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";

    // 15 significant digits: every double printed this way reads back as the
    // same decimal, and the noise of binary fractions (1/60 = 0.01666...6667)
    // stays out of sight. to_chars never looks at the C locale.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);

    const auto exponent = text.find('e');
    if (exponent != std::string::npos) {
        text[exponent] = 'E';
        // Two exponent digits at least, as people are used to seeing them.
        const std::size_t digits = text.size() - exponent - 2;
        if (digits < 2)
            text.insert(exponent + 2, 2 - digits, '0');
    }
    if (const auto point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, decimalSeparator);
    return text;
}

}  // namespace Brisvane
