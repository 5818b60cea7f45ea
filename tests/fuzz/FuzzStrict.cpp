// The command-line rule on any bytes: a value or one of the two errors, and
// a value always reads back from its own display text. The first byte picks
// the decimal separator, so that the full stop, the comma and a two-byte
// separator are all exercised.

#include "EpochText.h"
#include "Error.h"
#include "ParseEpochStrict.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static constexpr std::string_view separators[] = {".", ",", "\xD9\xAB"};
    const std::string_view separator = separators[data[0] % 3];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        const std::int32_t value = Brisvane::ParseEpochStrict(text, separator);
        if (Brisvane::ParseEpochStrict(Brisvane::EpochText(value), separator) != value)
            std::abort();
    } catch (const Brisvane::Error&) {
    }
    return 0;
}
