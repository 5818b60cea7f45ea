#include "Locale.h"

#include <stdexcept>

namespace Brisvane {
namespace {

std::string EncodeUtf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace

std::locale UserLocale() noexcept
{
    try {
        return std::locale("");
    } catch (const std::runtime_error&) {
        return std::locale::classic();
    }
}

std::string DecimalSeparator(const std::locale& locale)
{
    // The wide facet holds the whole character; the narrow one would keep
    // only the first byte of a multi-byte separator.
    const wchar_t wide = std::use_facet<std::numpunct<wchar_t>>(locale).decimal_point();
    const auto code = static_cast<char32_t>(wide);
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::string(1, std::use_facet<std::numpunct<char>>(locale).decimal_point());
    return EncodeUtf8(code);
}

}  // namespace Brisvane
