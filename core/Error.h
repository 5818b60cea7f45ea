#pragma once

#include <stdexcept>
#include <string>

namespace Brisvane {

// The program knows two ways to fail: a text that is not a number, and a
// value that leaves the range of its type. Nothing wraps or saturates
// silently; every such failure becomes one of these.
enum class ErrorKind { TypeMismatch, Overflow };

class Error : public std::runtime_error {
public:
    // `detail` says what caused the error, naming the offending text or value.
    Error(ErrorKind kind, const std::string& detail);

    ErrorKind Kind() const noexcept { return kind_; }
    const std::string& Detail() const noexcept { return detail_; }

private:
    ErrorKind kind_;
    std::string detail_;
};

[[noreturn]] void RaiseOverflow(const std::string& detail);
[[noreturn]] void RaiseTypeMismatch(const std::string& detail);

}  // namespace Brisvane
