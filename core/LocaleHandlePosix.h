#pragma once

#include <locale.h>

#include <memory>
#include <type_traits>

namespace Brisvane {

struct FreeLocale {
    void operator()(locale_t handle) const noexcept { ::freelocale(handle); }
};

// A locale of newlocale's, freed with it.
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, FreeLocale>;

}  // namespace Brisvane
