#include "Error.h"

namespace Brisvane {

const char* ErrorKindName(ErrorKind kind) noexcept
{
    switch (kind) {
    case ErrorKind::TypeMismatch: return "Type mismatch";
    case ErrorKind::Overflow: return "Overflow";
    }
    return "Error";
}

Error::Error(ErrorKind kind, const std::string& detail)
    : std::runtime_error(std::string(ErrorKindName(kind)) + ": " + detail), kind_(kind), detail_(detail)
{
}

void RaiseOverflow(const std::string& detail)
{
    throw Error(ErrorKind::Overflow, detail);
}
void RaiseTypeMismatch(const std::string& detail)
{
    throw Error(ErrorKind::TypeMismatch, detail);
}

}  // namespace Brisvane
