#pragma once

namespace Brisvane {

// Lets Windows load DLLs by name from System32 alone, never from the
// program's folder or the current one: Brisvane.exe is often run from a
// Downloads folder, where anybody may have left a DLL named like one that
// Windows would otherwise look for there first. Called before anything else
// in wWinMain; the DLLs loaded later (oleacc and the COM libraries) ask for
// System32 themselves too.
void RestrictDllSearch() noexcept;

}  // namespace Brisvane
