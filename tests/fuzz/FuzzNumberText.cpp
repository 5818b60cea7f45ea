// The number text of any double, with a full stop and with a comma: never
// empty, no grouping, and for finite values the 15 significant digits read
// back to within their last place.

#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(double value, char separator)
{
    std::string text = Brisvane::NumberText(value, std::string_view(&separator, 1));
    if (text.empty())
        std::abort();
    if (!std::isfinite(value))
        return;
    if (value == 0.0 && text != "0")
        std::abort();
    for (char& c : text) {
        if (c == separator)
            c = '.';
        else if (c == '.' || c == ',' || c == ' ')
            std::abort();  // a grouping or a foreign separator
    }
    double back = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
    if (result.ptr != text.data() + text.size())
        std::abort();
    // Rounded to 15 digits, the largest doubles print as a number just past
    // the double range (1.79769313486232E+308); nothing else may.
    if (result.ec == std::errc::result_out_of_range && std::fabs(value) > 1.797693134862315e308)
        return;
    if (result.ec != std::errc())
        std::abort();
    if (std::fabs(back - value) > std::fabs(value) * 1e-14)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    double value = 0.0;
    if (size < sizeof value)
        return 0;
    std::memcpy(&value, data, sizeof value);
    Check(value, '.');
    Check(value, ',');
    return 0;
}
