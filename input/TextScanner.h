#pragma once

#include <string_view>

namespace Brisvane {

// The character classes the program reads its texts by, the same in every
// locale (unlike std::isdigit and std::isblank), for narrow texts and for
// the wide ones of Windows' command line alike.
template <typename Char>
constexpr bool IsDigit(Char c)
{
    return c >= Char('0') && c <= Char('9');
}

// A blank between words: space or tab.
template <typename Char>
constexpr bool IsBlank(Char c)
{
    return c == Char(' ') || c == Char('\t');
}

// Reading a text from its front: each Take consumes what it reads from
// `rest`, and leaves `rest` as it was where there is nothing to read.

// The run of digits at the front, possibly empty.
inline std::string_view TakeDigits(std::string_view& rest)
{
    std::size_t n = 0;
    while (n < rest.size() && IsDigit(rest[n]))
        ++n;
    const std::string_view digits = rest.substr(0, n);
    rest.remove_prefix(n);
    return digits;
}

// Whether the front is one of `characters`, taken if it is.
inline bool TakeAnyOf(std::string_view& rest, std::string_view characters)
{
    if (rest.empty() || characters.find(rest.front()) == std::string_view::npos)
        return false;
    rest.remove_prefix(1);
    return true;
}

// An optional sign at the front: true for a minus.
inline bool TakeSign(std::string_view& rest)
{
    const bool negative = rest.starts_with('-');
    TakeAnyOf(rest, "+-");
    return negative;
}

}  // namespace Brisvane
