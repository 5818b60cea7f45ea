#pragma once

#include <locale>
#include <string>

namespace Brisvane {

// The user's regional settings as the environment names them (LANG, LC_*).
// A locale that is named but not installed falls back to the classic "C"
// locale rather than stopping the program. Only start-up calls this; every
// formatting function takes its locale as a parameter.
std::locale UserLocale() noexcept;

// The locale's decimal separator as UTF-8 (some locales use a separator
// outside ASCII, such as the Arabic decimal separator U+066B).
std::string DecimalSeparator(const std::locale& locale);

}  // namespace Brisvane
