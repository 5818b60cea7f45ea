#include "Utf8FromCharsetPosix.h"

#include "LocaleHandlePosix.h"
#include "Unicode.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <cstring>

namespace Brisvane {
namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;
// glibc's name for ASCII, the C locale's set.
constexpr char Ascii[] = "ANSI_X3.4-1968";

// One iconv conversion into UTF-8.
class Conversion {
public:
    explicit Conversion(const char* charset) : handle_(::iconv_open("UTF-8", charset)) {}
    ~Conversion()
    {
        if (IsOpen())
            ::iconv_close(handle_);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Appends the conversion of `in` to `out`: all of it, or up to the first
    // byte that does not convert, which `in` then starts with. Null `in`
    // closes a stateful set's last shift.
    void Append(char** in, std::size_t* inLeft, std::string& out)
    {
        std::size_t used = out.size();
        // Two bytes of EUC or GB18030 are three of UTF-8; the rest fits.
        out.resize(used + 2 * (inLeft ? *inLeft : 0) + 16);
        while (true) {
            char* at = out.data() + used;
            std::size_t outLeft = out.size() - used;
            const std::size_t result = ::iconv(handle_, in, inLeft, &at, &outLeft);
            used = out.size() - outLeft;
            if (result != static_cast<std::size_t>(-1) || errno != E2BIG)
                break;
            out.resize(2 * out.size());
        }
        out.resize(used);
    }

    // Back to the initial shift state, as after the start of a text.
    void Reset() { ::iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t handle_;
};

// Where no conversion is to be had, the ASCII of the text still shows.
std::string AsciiOnly(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x80)
            out += c;
        else
            AppendUtf8(out, ReplacementCharacter);
    }
    return out;
}

}  // namespace

bool NeedsNoConversion(const char* charset)
{
    return std::strcmp(charset, "UTF-8") == 0 || std::strcmp(charset, Ascii) == 0;
}

std::string Utf8FromCharset(std::string text, const char* charset)
{
    if (NeedsNoConversion(charset))
        return text;
    Conversion conversion(charset);
    if (!conversion.IsOpen())
        return AsciiOnly(text);

    std::string out;
    char* in = text.data();
    std::size_t inLeft = text.size();
    while (true) {
        conversion.Append(&in, &inLeft, out);
        if (inLeft == 0)
            break;
        // EILSEQ, or EINVAL for a character cut short by the end of the text.
        AppendUtf8(out, ReplacementCharacter);
        ++in;
        --inLeft;
        conversion.Reset();
    }
    conversion.Append(nullptr, nullptr, out);
    return out;
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
