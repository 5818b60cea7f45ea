#pragma once

#include <windows.h>

#include <string>

namespace Brisvane {

// Makes `box` tell accessibility clients (screen readers, in this process
// or another) that its name is `name`. Everything else a client asks of it
// (role, value, states, location) stays Windows' own answer. Windows names
// an edit box after the label just before it in the window's order, which
// is wrong wherever a box comes before its label. False if the box could
// not be given the name.
bool GiveAccessibleName(HWND box, std::wstring name);

}  // namespace Brisvane
