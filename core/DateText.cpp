#include "DateText.h"

namespace Brisvane {

std::string DateText(SerialDate date, const RegionalFormat& format)
{
    const CalendarReading reading = ReadCalendar(date);
    std::string text = format.ShortDate(reading);
    if (date.HasTimeOfDay()) {
        text += ' ';
        text += format.LongTime(reading);
    }
    return text;
}

}  // namespace Brisvane
