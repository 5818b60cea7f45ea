#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Brisvane {

// One character decoded from the front of a UTF-8 text. Length is 0 for a
// byte that does not start a well-formed sequence: a stray continuation
// byte, an overlong form, a surrogate, a value past U+10FFFF, or a sequence
// cut short.
struct DecodedCharacter {
    char32_t Code = 0;
    std::size_t Length = 0;
};
DecodedCharacter DecodeUtf8(std::string_view text) noexcept;

void AppendUtf8(std::string& text, char32_t code);

// Between UTF-8 and UTF-16, for the platforms whose text is UTF-16 (Windows'
// wchar_t; char16_t elsewhere, so that it tests anywhere). What cannot be
// converted, an unpaired surrogate or a byte that is not UTF-8, becomes
// U+FFFD.
template <typename Char>
std::string Utf8FromUtf16(std::basic_string_view<Char> text)
{
    static_assert(sizeof(Char) == 2);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = static_cast<char16_t>(text[i]);
        const auto next = [&] { return static_cast<char16_t>(text[i + 1]); };
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && next() >= 0xDC00 && next() <= 0xDFFF)
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char16_t>(text[++i]) - 0xDC00u);
        else if (code >= 0xD800 && code <= 0xDFFF)
            code = 0xFFFD;
        AppendUtf8(out, code);
    }
    return out;
}

template <typename Char>
std::basic_string<Char> Utf16FromUtf8(std::string_view text)
{
    static_assert(sizeof(Char) == 2);
    std::basic_string<Char> out;
    out.reserve(text.size());
    while (!text.empty()) {
        const DecodedCharacter decoded = DecodeUtf8(text);
        const char32_t code = decoded.Length == 0 ? 0xFFFD : decoded.Code;
        if (code >= 0x10000) {
            out += static_cast<Char>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<Char>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<Char>(code);
        }
        text.remove_prefix(decoded.Length == 0 ? 1 : decoded.Length);
    }
    return out;
}

}  // namespace Brisvane
