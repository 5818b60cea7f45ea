#include "Currency.h"

#include "Error.h"

#include <string>

namespace Brisvane {

Currency Add(Currency a, Currency b)
{
    Currency sum;
    if (__builtin_add_overflow(a.Raw, b.Raw, &sum.Raw))
        RaiseOverflow("the sum of " + std::to_string(a.Raw) + " and " + std::to_string(b.Raw) +
                      " (in ten-thousandths) is out of range");
    return sum;
}

}  // namespace Brisvane
