#include "DllSearch.h"

#include <windows.h>

namespace Brisvane {

void RestrictDllSearch() noexcept
{
    // Windows 10 always has it. Were it refused, the program would still run
    // as any program does, so there is nothing to report.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace Brisvane
