#pragma once

#include "SerialDate.h"

#include <locale>
#include <memory>
#include <string>

namespace Brisvane {

// The general date text of one locale: its short date (%x), then a blank and
// its long time (%X) unless the value is exactly midnight. Both read the
// value to the nearest second. The text is in the locale's own encoding
// (UTF-8 in a UTF-8 locale), byte for byte as the locale writes it.
//
// Made once per locale and kept: it looks up what it needs of the locale up
// front, so that each text costs about what the C library's strftime does.
class DateFormat {
public:
    explicit DateFormat(const std::locale& locale);

    std::string Text(SerialDate date) const;

private:
    std::locale locale_;
    // The C library's handle on the same locale, where it has one by name;
    // otherwise the text goes through the locale's time_put facet.
    std::shared_ptr<const void> cLocale_;
};

// One text in one locale, for callers that format once.
std::string DateText(SerialDate date, const std::locale& locale);

}  // namespace Brisvane
