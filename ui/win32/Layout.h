#pragma once

#include <array>

namespace Brisvane {

// The window Brisvanefrm and its six controls as they are stored: positions
// and sizes in twips (1/1440 inch, so 15 twips are one pixel at 96 DPI),
// from the top-left corner of the client area. A dialog template cannot
// hold them: its units hang on the dialog font and land some edges a pixel
// off. Only the settings that differ from the window system's defaults are
// here.

enum class ControlKind { Label, TextBox, Button };

// The window's default font, or the value boxes' own: "MS Sans Serif"
// 9.75 pt bold.
enum class ControlFont { Window, ValueBox };

struct ControlLayout {
    const char* Name;
    int Id;
    ControlKind Kind;
    const char* Caption;
    int Left, Top, Width, Height;
    bool ReadOnly;
    ControlFont Font;
};

struct WindowLayout {
    const char* Caption;
    int ClientWidth, ClientHeight;
};

constexpr WindowLayout BrisvanefrmLayout{"Brisvane", 4635, 1335};

// In creation order, which is the tab order: the two value boxes, the
// labels (which never take the focus), the button, then Zone. Windows stacks
// a later sibling below an earlier one, so each box lies above the label
// that reaches a pixel into it.
constexpr std::array<ControlLayout, 6> BrisvanefrmControls = {{
    {"EpochDate", 10, ControlKind::TextBox, "", 1200, 120, 2175, 285, false, ControlFont::ValueBox},
    {"LocalDate", 11, ControlKind::TextBox, "", 1200, 600, 2175, 285, false, ControlFont::ValueBox},
    {"Label1", 12, ControlKind::Label, "Epoch Date", 120, 240, 1095, 255, false, ControlFont::Window},
    {"Label2", 13, ControlKind::Label, "Local Date", 120, 600, 1095, 255, false, ControlFont::Window},
    {"Command1", 14, ControlKind::Button, "convert", 3600, 120, 855, 375, false, ControlFont::Window},
    // Zone's own setting: read-only, yet in the tab order, selectable and copyable.
    {"Zone", 15, ControlKind::TextBox, "", 3480, 600, 975, 285, true, ControlFont::Window},
}};

// Twips to pixels at `dpi`, to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi)
{
    return (twips * dpi + 720) / 1440;
}

struct PixelRect {
    int Left, Top, Width, Height;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A control's rectangle at `dpi`. Its edges are converted, not its size, so
// that edges which line up in twips (the right edges of Command1 and Zone)
// line up in pixels at every resolution.
constexpr PixelRect PixelsOf(const ControlLayout& control, int dpi)
{
    const int left = TwipsToPixels(control.Left, dpi);
    const int top = TwipsToPixels(control.Top, dpi);
    return {left, top, TwipsToPixels(control.Left + control.Width, dpi) - left,
            TwipsToPixels(control.Top + control.Height, dpi) - top};
}

}  // namespace Brisvane
