#pragma once

#include "SerialDate.h"

#include <locale>
#include <string>

namespace Brisvane {

// The general date text: the locale's short date (%x), then a blank and its
// long time (%X) unless the value is exactly midnight. Both read the value
// to the nearest second. The text is in the locale's own encoding (UTF-8 in
// a UTF-8 locale), byte for byte as the locale writes it.
std::string DateText(SerialDate date, const std::locale& locale);

}  // namespace Brisvane
