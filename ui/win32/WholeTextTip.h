#pragma once

#include "Handles.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace Brisvane {

// A tooltip control over a window's text boxes that gives a box's whole
// text where the box is too narrow to show it all, as Windows shows a
// clipped item whole. Each such box is a tool of the tooltip, which shows
// while the pointer rests on the box; a box whose text fits has no tool, for
// a tip that repeats what is plain to see is noise. A text is measured in
// its box's own font, so at the box's DPI, against the box's formatting
// rectangle, where the edit control draws it. A screen reader still reads
// the box itself, and so its whole text.
//
// The tooltip is made when a box first needs it: most texts fit, and a
// tooltip made with the window would delay every start. Where Windows
// refuses it, the box keeps its text, to be scrolled, and goes without.
class WholeTextTip {
public:
    // `box`, a child of the window that will own the tooltip, now holds
    // `text`, written by the program: what a user types over it is never
    // read, and the tip keeps the text written.
    void Follow(HWND box, std::wstring_view text);
    // The boxes have their fonts for `dpi`: the tooltip takes its own font
    // for it, and each box is measured again.
    void Refit(UINT dpi) noexcept;
    // Windows destroys the tooltip with the window that owns it; that
    // window is being destroyed.
    void OwnerDestroyed() noexcept { (void)tip_.release(); }

private:
    struct Box {
        HWND Window;
        std::wstring Text;
    };
    void Measure(const Box& box);
    bool MadeFor(HWND box);

    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    // In this order, so that the tooltip goes before its font.
    FontHandle font_;
    WindowHandle tip_;
    std::vector<Box> boxes_;
};

}  // namespace Brisvane
