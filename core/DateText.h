#pragma once

#include "RegionalFormat.h"
#include "SerialDate.h"

#include <string>

namespace Brisvane {

// The general date text: the short date, then a blank and the long time
// unless the value is exactly midnight (a whole number of days). Both read
// the value to the nearest second; `zone` is the zone it is a time of.
std::string DateText(SerialDate date, const ZoneLabel& zone, const RegionalFormat& format);

}  // namespace Brisvane
