#include "DateText.h"

namespace Brisvane {

std::string DateText(SerialDate date, const ZoneLabel& zone, const RegionalFormat& format)
{
    const CalendarReading reading = ReadCalendar(date);
    std::string text = format.ShortDate(reading, zone);
    if (date.HasTimeOfDay()) {
        text += ' ';
        text += format.LongTime(reading, zone);
    }
    return text;
}

}  // namespace Brisvane
