#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace Brisvane {

// The program knows two ways to fail: a text that is not a number, and a
// value that leaves the range of its type. Nothing wraps or saturates
// silently; every such failure becomes one of these.
enum class ErrorKind { TypeMismatch, Overflow };

// The user-facing name of a kind, as the window reports it.
const char* ErrorKindName(ErrorKind kind) noexcept;

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

// A text as it may appear inside an error message: in double quotes, control
// characters escaped (so that a NUL or a line feed cannot cut or split the
// message), and cut short with an ellipsis after `maxBytes` bytes.
std::string QuoteForMessage(std::string_view text, std::size_t maxBytes = 60);

}  // namespace Brisvane
