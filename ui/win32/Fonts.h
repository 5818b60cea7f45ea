#pragma once

#include "BrisvanefrmLayout.h"
#include "Handles.h"

#include <windows.h>

namespace Brisvane {

// The window's default font at `dpi`: the system's message font, as dialogs
// and their controls use.
FontHandle CreateWindowFont(UINT dpi);

// The font of tooltips at `dpi`: the system's status font, as Windows gives them.
FontHandle CreateTooltipFont(UINT dpi);

// `font` at `dpi`. Where its face cannot give that size and weight itself (a
// bitmap face has a few sizes, and "MS Sans Serif" only a regular weight,
// which GDI emboldens by smearing), a scalable sans-serif face at the same
// size and weight instead, asked for by the height of its em.
FontHandle CreateDescribedFont(const FontDescription& font, UINT dpi);

}  // namespace Brisvane
