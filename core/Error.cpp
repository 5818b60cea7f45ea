#include "Error.h"

namespace Brisvane {

Error::Error(ErrorKind kind, const std::string& detail) : std::runtime_error(detail), kind_(kind), detail_(detail) {}

void RaiseOverflow(const std::string& detail)
{
    throw Error(ErrorKind::Overflow, detail);
}
void RaiseTypeMismatch(const std::string& detail)
{
    throw Error(ErrorKind::TypeMismatch, detail);
}

}  // namespace Brisvane
