#pragma once

#include <cstdio>
#include <locale>
#include <stdexcept>

// The locales the targets format and parse in, made once per process.
struct FuzzLocales {
    static const std::locale& Classic() { return std::locale::classic(); }

    static const std::locale& German()
    {
        static const std::locale german = [] {
            try {
                return std::locale("de_DE.UTF-8");
            } catch (const std::runtime_error&) {
                std::fprintf(stderr, "de_DE.UTF-8 is not installed (scripts/deps generates it)\n");
                std::abort();
            }
        }();
        return german;
    }
};
