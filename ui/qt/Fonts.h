#pragma once

namespace Brisvane {

// The value boxes ask for "MS Sans Serif", a Windows face. Where it is
// missing, prefer faces of the same narrow build over the wide default sans
// (DejaVu Sans), so that as much of a date as possible fits in its box.
void InstallFontSubstitutes();

}  // namespace Brisvane
