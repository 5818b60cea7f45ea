#include "Utf8FromCharsetPosix.h"

#include "IconvHandlePosix.h"
#include "LocaleHandlePosix.h"

#include <langinfo.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace Brisvane {
namespace {

constexpr std::string_view ReplacementUtf8 = "\xEF\xBF\xBD";
// glibc's name for ASCII, the C locale's set.
constexpr char Ascii[] = "ANSI_X3.4-1968";

// UTF-8 as it is written: the bytes so far, then room for more.
struct Utf8Buffer {
    std::string Bytes;
    std::size_t Used = 0;

    char* End() { return Bytes.data() + Used; }
    std::size_t Room() const { return Bytes.size() - Used; }
    // Doubles, so that the work of growing stays linear in the text.
    void Grow() { Bytes.resize(2 * Bytes.size()); }
    void Append(std::string_view more)
    {
        while (Room() < more.size())
            Grow();
        Bytes.replace(Used, more.size(), more);
        Used += more.size();
    }
};

// One iconv conversion into UTF-8.
class ConversionToUtf8 {
public:
    explicit ConversionToUtf8(const char* charset) : handle_("UTF-8", charset) {}

    bool IsOpen() const { return handle_.IsOpen(); }

    // Converts `in` onto the end of `out`: all of it, or up to the first
    // byte that does not convert, which `in` then starts with. Null `in`
    // closes a stateful set's last shift.
    void Append(char** in, std::size_t* inLeft, Utf8Buffer& out)
    {
        while (true) {
            char* at = out.End();
            std::size_t outLeft = out.Room();
            const std::size_t result = ::iconv(handle_.Get(), in, inLeft, &at, &outLeft);
            out.Used = out.Bytes.size() - outLeft;
            if (result != static_cast<std::size_t>(-1) || errno != E2BIG)
                return;
            out.Grow();
        }
    }

private:
    IconvHandle handle_;
};

// Appends a byte that is no character of the set. Kept as it is, it is not
// UTF-8: past ASCII, and never the continuation of a lead byte kept just
// before it, which the two would make a character of; either way U+FFFD
// stands in for it. `afterLead` says whether the last byte appended is a
// kept lead byte; returns whether this one is.
bool AppendUnconverted(Utf8Buffer& out, unsigned char byte, bool afterLead)
{
    const bool continuation = (byte & 0xC0) == 0x80;
    if (byte < 0x80 || (continuation && afterLead)) {
        out.Append(ReplacementUtf8);
        return false;
    }
    const char kept = static_cast<char>(byte);
    out.Append(std::string_view(&kept, 1));
    return byte >= 0xC2 && byte <= 0xF4;
}

// Where no conversion is to be had, the ASCII of the text still reads, and
// the rest is kept as bytes.
std::string AsciiOnly(const std::string& text)
{
    Utf8Buffer out;
    out.Bytes.resize(text.size() + 16);
    bool afterLead = false;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.Append(std::string_view(&c, 1));
            afterLead = false;
        } else {
            afterLead = AppendUnconverted(out, byte, afterLead);
        }
    }
    out.Bytes.resize(out.Used);
    return std::move(out.Bytes);
}

}  // namespace

bool ReadsAsUtf8(const char* charset)
{
    return std::strcmp(charset, "UTF-8") == 0 || std::strcmp(charset, Ascii) == 0;
}

std::string Utf8FromCharset(std::string text, const char* charset)
{
    if (ReadsAsUtf8(charset))
        return text;
    ConversionToUtf8 conversion(charset);
    if (!conversion.IsOpen())
        return AsciiOnly(text);

    // Room for most texts at once: ASCII is one byte of UTF-8 for one in,
    // and the two-byte characters of EUC and GB18030 are three. A single-byte
    // set's letters beyond ASCII also take three (ISO-8859-15's euro sign,
    // KOI8-R's box drawing), and a text of many of them grows the room.
    Utf8Buffer out;
    out.Bytes.resize(2 * text.size() + 16);
    char* in = text.data();
    std::size_t inLeft = text.size();
    bool afterLead = false;
    while (true) {
        const std::size_t before = out.Used;
        conversion.Append(&in, &inLeft, out);
        afterLead = afterLead && out.Used == before;
        if (inLeft == 0)
            break;
        // EILSEQ, or EINVAL for a character cut short by the end of the
        // text. The byte is kept, and the text goes on in the shift state
        // it was in: a stray byte inside ISO-2022-JP's kanji leaves the
        // kanji that follow as they were.
        afterLead = AppendUnconverted(out, static_cast<unsigned char>(*in), afterLead);
        ++in;
        --inLeft;
    }
    conversion.Append(nullptr, nullptr, out);
    out.Bytes.resize(out.Used);
    return std::move(out.Bytes);
}

std::string UserCharset()
{
    // "" reads the environment.
    LocaleHandle locale(::newlocale(LC_CTYPE_MASK, "", nullptr));
    if (!locale)
        locale.reset(::newlocale(LC_CTYPE_MASK, "C", nullptr));
    return locale ? ::nl_langinfo_l(CODESET, locale.get()) : Ascii;
}

}  // namespace Brisvane
