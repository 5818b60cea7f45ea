#include "CharsetFromUtf8Posix.h"

#include "IconvHandlePosix.h"
#include "QuoteForMessage.h"
#include "Unicode.h"
#include "Utf8FromCharsetPosix.h"

namespace Brisvane {
namespace {

// One iconv conversion from UTF-8.
class ConversionFromUtf8 {
public:
    explicit ConversionFromUtf8(const char* charset) : handle_(charset, "UTF-8") {}

    bool IsOpen() const { return handle_.IsOpen(); }

    // Appends one whole character, or with null `in` the return to a
    // stateful set's initial shift; false where the set lacks the character.
    // A character is at most 4 bytes in every set the C library has, and
    // the shifts around it a few more.
    bool Append(std::string_view in, std::string& out)
    {
        char buffer[32];
        char* from = const_cast<char*>(in.data());
        std::size_t fromLeft = in.size();
        char* to = buffer;
        std::size_t toLeft = sizeof buffer;
        const std::size_t result = in.empty() ? ::iconv(handle_.Get(), nullptr, nullptr, &to, &toLeft)
                                              : ::iconv(handle_.Get(), &from, &fromLeft, &to, &toLeft);
        if (result == static_cast<std::size_t>(-1))
            return false;
        out.append(buffer, to);
        return true;
    }

private:
    IconvHandle handle_;
};

}  // namespace

bool WritesAsUtf8(const char* charset)
{
    // The terminal reads what it sends: the same sets as ReadsAsUtf8's.
    return ReadsAsUtf8(charset);
}

std::string CharsetFromUtf8(std::string_view utf8, const char* charset)
{
    ConversionFromUtf8 conversion(charset);
    std::string out;
    // An escape is ASCII, which a stateful set (ISO-2022-JP) reads only
    // outside its shifts: the set is shifted back before it.
    const auto escape = [&](const std::string& text) {
        if (conversion.IsOpen())
            conversion.Append({}, out);
        out += text;
    };
    while (!utf8.empty()) {
        const DecodedCharacter decoded = DecodeUtf8(utf8);
        const std::size_t length = decoded.Length == 0 ? 1 : decoded.Length;
        if (decoded.Length == 0)
            escape(EscapeOfByte(static_cast<unsigned char>(utf8[0])));
        else if (!conversion.IsOpen())
            escape(decoded.Code < 0x80 ? std::string(1, static_cast<char>(decoded.Code)) : EscapeOf(decoded.Code));
        else if (!conversion.Append(utf8.substr(0, length), out))
            escape(EscapeOf(decoded.Code));
        utf8.remove_prefix(length);
    }
    if (conversion.IsOpen())
        conversion.Append({}, out);
    return out;
}

}  // namespace Brisvane
