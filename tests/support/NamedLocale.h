#pragma once

#include <gtest/gtest.h>

#include <locale>
#include <stdexcept>
#include <string>

// A locale the tests pin by name. The test scripts generate the ones used
// here; a missing one fails loudly rather than quietly testing "C" instead.
inline std::locale NamedLocale(const std::string& name)
{
    try {
        return std::locale(name);
    } catch (const std::runtime_error&) {
        ADD_FAILURE() << "locale " << name << " is not installed (scripts/deps generates it)";
        return std::locale::classic();
    }
}
