#include "RegionalFormat.h"

#include "Unicode.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <optional>

namespace Brisvane {
namespace {

SYSTEMTIME ToSystemTime(const CalendarReading& reading)
{
    const std::chrono::year_month_day date = reading.Date;
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(static_cast<int>(date.year()));
    time.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
    time.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
    time.wDayOfWeek = static_cast<WORD>(reading.Weekday.c_encoding());
    time.wHour = static_cast<WORD>(reading.Hour);
    time.wMinute = static_cast<WORD>(reading.Minute);
    time.wSecond = static_cast<WORD>(reading.Second);
    return time;
}

// Calls one of the Get...FormatEx functions, which write a text of `size`
// characters (the terminating null included) and return its length, or 0 on
// failure. Asked again with a larger buffer only when the text did not fit;
// nothing when the call fails for any other reason.
template <typename Call>
std::optional<std::string> FormattedText(Call call)
{
    wchar_t buffer[128];
    if (const int length = call(buffer, static_cast<int>(std::size(buffer))); length > 0)
        return Utf8FromUtf16(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)));
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return std::nullopt;
    const int needed = call(nullptr, 0);
    if (needed <= 0)
        return std::nullopt;
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    const int length = call(text.data(), needed);
    if (length <= 0)
        return std::nullopt;
    return Utf8FromUtf16(std::wstring_view(text.data(), static_cast<std::size_t>(length - 1)));
}

// Where Windows cannot format a text, the user gets what the POSIX side shows
// for a locale it cannot open: the "C" locale's short date (%m/%d/%y), long
// time (%H:%M:%S) and decimal separator.
std::string Numbers(const char* format, int a, int b, int c)
{
    char text[32];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string CLocaleShortDate(const CalendarReading& reading)
{
    const std::chrono::year_month_day date = reading.Date;
    return Numbers("%02d/%02d/%02d", static_cast<int>(static_cast<unsigned>(date.month())),
                   static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(date.year()) % 100);
}

std::string CLocaleLongTime(const CalendarReading& reading)
{
    return Numbers("%02d:%02d:%02d", reading.Hour, reading.Minute, reading.Second);
}

constexpr char CLocaleDecimalSeparator[] = ".";

class WindowsRegionalFormat final : public RegionalFormat {
public:
    // An empty name stands for the user's default locale.
    explicit WindowsRegionalFormat(std::wstring name)
        : name_(std::move(name)), decimalSeparator_(DecimalSeparatorOf(Name()))
    {
    }

    // Windows' date and time patterns have no zone.
    std::string ShortDate(const CalendarReading& reading, const ZoneLabel&) const override
    {
        const SYSTEMTIME time = ToSystemTime(reading);
        return FormattedText([&](wchar_t* buffer, int size) {
                   return ::GetDateFormatEx(Name(), DATE_SHORTDATE, &time, nullptr, buffer, size, nullptr);
               })
            .value_or(CLocaleShortDate(reading));
    }

    std::string LongTime(const CalendarReading& reading, const ZoneLabel&) const override
    {
        const SYSTEMTIME time = ToSystemTime(reading);
        return FormattedText([&](wchar_t* buffer, int size) {
                   return ::GetTimeFormatEx(Name(), 0, &time, nullptr, buffer, size);
               })
            .value_or(CLocaleLongTime(reading));
    }

    const std::string& DecimalSeparator() const noexcept override { return decimalSeparator_; }

private:
    const wchar_t* Name() const { return name_.empty() ? LOCALE_NAME_USER_DEFAULT : name_.c_str(); }

    static std::string DecimalSeparatorOf(const wchar_t* name)
    {
        const std::optional<std::string> separator = FormattedText(
            [&](wchar_t* buffer, int size) { return ::GetLocaleInfoEx(name, LOCALE_SDECIMAL, buffer, size); });
        // A number is never written without its separator.
        return separator && !separator->empty() ? *separator : CLocaleDecimalSeparator;
    }

    std::wstring name_;
    std::string decimalSeparator_;
};

}  // namespace

std::unique_ptr<const RegionalFormat> UserRegionalFormat()
{
    return std::make_unique<WindowsRegionalFormat>(std::wstring());
}

std::unique_ptr<const RegionalFormat> NamedRegionalFormat(const std::string& name)
{
    std::wstring wide = Utf16FromUtf8<wchar_t>(name);
    if (wide.empty() || !::IsValidLocaleName(wide.c_str()))
        return nullptr;
    return std::make_unique<WindowsRegionalFormat>(std::move(wide));
}

}  // namespace Brisvane
