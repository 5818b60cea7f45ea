#include "QuoteForMessage.h"

#include "Unicode.h"

#include <algorithm>
#include <array>

namespace Brisvane {
namespace {

struct Range {
    char32_t First;
    char32_t Last;
};

// Unicode's format characters (general category Cf) and the line and
// paragraph separators (Zl, Zp).
constexpr std::array Invisible = {
    Range{0x00AD, 0x00AD},   Range{0x0600, 0x0605},   Range{0x061C, 0x061C},   Range{0x06DD, 0x06DD},
    Range{0x070F, 0x070F},   Range{0x0890, 0x0891},   Range{0x08E2, 0x08E2},   Range{0x180E, 0x180E},
    Range{0x200B, 0x200F},   Range{0x2028, 0x202E},   Range{0x2060, 0x2064},   Range{0x2066, 0x206F},
    Range{0xFEFF, 0xFEFF},   Range{0xFFF9, 0xFFFB},   Range{0x110BD, 0x110BD}, Range{0x110CD, 0x110CD},
    Range{0x13430, 0x1343F}, Range{0x1BCA0, 0x1BCA3}, Range{0x1D173, 0x1D17A}, Range{0xE0001, 0xE0001},
    Range{0xE0020, 0xE007F},
};

// East Asian wide and fullwidth characters: two columns each.
constexpr std::array Wide = {
    Range{0x1100, 0x115F},   Range{0x2E80, 0x303E},   Range{0x3041, 0x33FF}, Range{0x3400, 0x4DBF},
    Range{0x4E00, 0x9FFF},   Range{0xA000, 0xA4CF},   Range{0xAC00, 0xD7A3}, Range{0xF900, 0xFAFF},
    Range{0xFE30, 0xFE4F},   Range{0xFF00, 0xFF60},   Range{0xFFE0, 0xFFE6}, Range{0x1F300, 0x1F64F},
    Range{0x1F900, 0x1F9FF}, Range{0x20000, 0x3FFFD},
};

template <std::size_t N>
bool IsIn(const std::array<Range, N>& ranges, char32_t code)
{
    const auto after = std::upper_bound(ranges.begin(), ranges.end(), code,
                                        [](char32_t c, const Range& range) { return c < range.First; });
    return after != ranges.begin() && code <= std::prev(after)->Last;
}

std::string Escape(char32_t value, char kind, int digits)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string escape = {'\\', kind};
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        escape += hex[(value >> shift) & 0xF];
    return escape;
}

}  // namespace

std::string EscapeOf(char32_t code)
{
    return code > 0xFFFF ? Escape(code, 'U', 8) : Escape(code, 'u', 4);
}

std::string EscapeOfByte(unsigned char byte)
{
    return Escape(byte, 'x', 2);
}

std::string QuoteForMessage(std::string_view text, std::size_t maxColumns)
{
    std::string quoted = "\"";
    std::size_t columns = 0;
    while (!text.empty()) {
        const DecodedCharacter decoded = DecodeUtf8(text);
        std::string piece;
        if (decoded.Length == 0 || decoded.Code < 0x20 || decoded.Code == 0x7F)
            piece = EscapeOfByte(static_cast<unsigned char>(text[0]));
        else if ((decoded.Code >= 0x80 && decoded.Code <= 0x9F) || IsIn(Invisible, decoded.Code))
            piece = EscapeOf(decoded.Code);
        const bool escaped = !piece.empty();
        if (!escaped)
            piece = text.substr(0, decoded.Length);
        const std::size_t width = escaped ? piece.size() : IsIn(Wide, decoded.Code) ? 2 : 1;
        if (columns + width > maxColumns) {
            quoted += "\xE2\x80\xA6";  // …
            break;
        }
        columns += width;
        quoted += piece;
        text.remove_prefix(decoded.Length == 0 ? 1 : decoded.Length);
    }
    quoted += '"';
    return quoted;
}

}  // namespace Brisvane
