#include "EpochText.h"

#include <charconv>

namespace Brisvane {

std::string EpochText(std::int32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace Brisvane
