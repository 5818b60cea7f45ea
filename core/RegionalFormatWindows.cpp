#include "RegionalFormat.h"

#include "Unicode.h"

#include <windows.h>

#include <cstdio>

namespace Brisvane {
namespace {

SYSTEMTIME ToSystemTime(const CalendarReading& reading)
{
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(reading.Date.Year);
    time.wMonth = static_cast<WORD>(reading.Date.Month);
    time.wDay = static_cast<WORD>(reading.Date.Day);
    time.wDayOfWeek = static_cast<WORD>(reading.Weekday);
    time.wHour = static_cast<WORD>(reading.Hour);
    time.wMinute = static_cast<WORD>(reading.Minute);
    time.wSecond = static_cast<WORD>(reading.Second);
    return time;
}

// Calls one of the Get...FormatEx functions, which write a text of
// `size` characters (the terminating null included) or, given no buffer,
// tell the size they need; 0 means failure.
template <typename Call>
std::string FormattedText(Call call)
{
    wchar_t buffer[128];
    int length = call(buffer, static_cast<int>(std::size(buffer)));
    if (length > 0)
        return Utf8FromUtf16(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)));
    const int needed = call(nullptr, 0);
    if (needed <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    length = call(text.data(), needed);
    return length > 0 ? Utf8FromUtf16(std::wstring_view(text.data(), static_cast<std::size_t>(length - 1)))
                      : std::string();
}

class WindowsRegionalFormat final : public RegionalFormat {
public:
    // An empty name stands for the user's default locale.
    explicit WindowsRegionalFormat(std::wstring name)
        : name_(std::move(name)), decimalSeparator_(DecimalSeparatorOf(Name()))
    {
    }

    std::string ShortDate(const CalendarReading& reading) const override
    {
        const SYSTEMTIME time = ToSystemTime(reading);
        std::string text = FormattedText([&](wchar_t* buffer, int size) {
            return ::GetDateFormatEx(Name(), DATE_SHORTDATE, &time, nullptr, buffer, size, nullptr);
        });
        // Windows formats only years from 1601 on; the program never forms
        // an earlier one, but a date is never shown as nothing.
        return text.empty() ? Numbers("%04d-%02d-%02d", reading.Date.Year, reading.Date.Month, reading.Date.Day) : text;
    }

    std::string LongTime(const CalendarReading& reading) const override
    {
        const SYSTEMTIME time = ToSystemTime(reading);
        std::string text = FormattedText(
            [&](wchar_t* buffer, int size) { return ::GetTimeFormatEx(Name(), 0, &time, nullptr, buffer, size); });
        return text.empty() ? Numbers("%02d:%02d:%02d", reading.Hour, reading.Minute, reading.Second) : text;
    }

    const std::string& DecimalSeparator() const noexcept override { return decimalSeparator_; }

private:
    const wchar_t* Name() const { return name_.empty() ? LOCALE_NAME_USER_DEFAULT : name_.c_str(); }

    static std::string DecimalSeparatorOf(const wchar_t* name)
    {
        std::string separator = FormattedText(
            [&](wchar_t* buffer, int size) { return ::GetLocaleInfoEx(name, LOCALE_SDECIMAL, buffer, size); });
        // A number is never written without its separator.
        return separator.empty() ? std::string(1, '.') : separator;
    }

    static std::string Numbers(const char* format, int a, int b, int c)
    {
        char text[32];
        std::snprintf(text, sizeof text, format, a, b, c);
        return text;
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
