#pragma once

#include <cstdint>
#include <string>

namespace Brisvane {

// The epoch value's display text: plain decimal, hyphen-minus for negatives.
std::string EpochText(std::int32_t value);

}  // namespace Brisvane
