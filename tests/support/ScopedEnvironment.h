#pragma once

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

// Sets environment variables (nullopt: unsets them) for the life of the
// object, then puts back what was there before, so that no test leaves its
// locale or zone to the next.
class ScopedEnvironment {
public:
    using Variables = std::map<std::string, std::optional<std::string>>;

    explicit ScopedEnvironment(const Variables& variables)
    {
        for (const auto& [name, value] : variables) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
            Set(name, value);
        }
    }
    ~ScopedEnvironment()
    {
        for (const auto& [name, value] : saved_)
            Set(name, value);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    static void Set(const std::string& name, const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }

    Variables saved_;
};
