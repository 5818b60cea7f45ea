#pragma once

#include <windows.h>

#include <string>

namespace Brisvane {

// Makes `box` tell accessibility clients (screen readers, in this process
// or another) that its name is `name`. Windows names an edit box after the
// label just before it in the window's order, which is wrong wherever a box
// comes before its label, and for a box with none. MSAA clients get an
// object of the box's own, whose every other answer is Windows'; UI
// Automation clients such as Narrator get Windows' own element, whose name
// is Windows' annotation (Dynamic Annotation; Wine has none). Both are set
// up when a client first asks. False if the box could not be subclassed.
bool GiveAccessibleName(HWND box, std::wstring name);

}  // namespace Brisvane
