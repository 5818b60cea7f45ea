#include "Error.h"

namespace Brisvane {

const char* ErrorKindName(ErrorKind kind) noexcept
{
    switch (kind) {
    case ErrorKind::TypeMismatch: return "Type mismatch";
    case ErrorKind::Overflow: return "Overflow";
    }
    return "Error";
}

Error::Error(ErrorKind kind, const std::string& detail)
    : std::runtime_error(std::string(ErrorKindName(kind)) + ": " + detail), kind_(kind), detail_(detail)
{
}

void RaiseOverflow(const std::string& detail) { throw Error(ErrorKind::Overflow, detail); }
void RaiseTypeMismatch(const std::string& detail) { throw Error(ErrorKind::TypeMismatch, detail); }

std::string QuoteForMessage(std::string_view text, std::size_t maxBytes)
{
    bool cut = false;
    if (text.size() > maxBytes) {
        std::size_t end = maxBytes;
        // Never cut a UTF-8 sequence in two: back up over continuation bytes.
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
        text = text.substr(0, end);
        cut = true;
    }
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            quoted += "\\x";
            quoted += hex[byte >> 4];
            quoted += hex[byte & 0xF];
        } else {
            quoted += c;
        }
    }
    quoted += cut ? "\xE2\x80\xA6\"" : "\"";
    return quoted;
}

}  // namespace Brisvane
