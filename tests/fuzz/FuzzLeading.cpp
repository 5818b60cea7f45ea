// The prompt rule on any bytes: a value or the overflow error, never a type
// mismatch, and a value always reads back from its own display text.

#include "EpochText.h"
#include "Error.h"
#include "ParseEpochLeading.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const std::int32_t value = Brisvane::ParseEpochLeading(text);
        if (Brisvane::ParseEpochLeading(Brisvane::EpochText(value)) != value)
            std::abort();
    } catch (const Brisvane::Error& e) {
        if (e.Kind() != Brisvane::ErrorKind::Overflow)
            std::abort();
    }
    return 0;
}
