#pragma once

#include "FormView.h"

#include <array>
#include <cstddef>

namespace Brisvane {

// The window Brisvanefrm and its six controls as they are stored: the one
// description from which each toolkit's view builds the window at start-up.
// Positions and sizes are in twips (1/1440 inch, so 15 twips are one pixel
// at 96 DPI), from the top-left corner of the client area. Only the settings
// that differ from the window system's defaults are here.

// Every control, addressed by name. The three text boxes come first, in the
// order of TextBox (FormView.h), so that a TextBox is also a Control.
enum class Control { EpochDate, LocalDate, Zone, Label1, Label2, Command1 };

constexpr Control ControlOf(TextBox box)
{
    return static_cast<Control>(box);
}
static_assert(ControlOf(TextBox::EpochDate) == Control::EpochDate &&
              ControlOf(TextBox::LocalDate) == Control::LocalDate && ControlOf(TextBox::Zone) == Control::Zone);

enum class ControlKind { Label, TextBox, Button };

struct FontDescription {
    const char* Face;
    int Hundredths;  // of a point
    int Weight;      // 400 regular, 700 bold
    int CharSet;     // 0: ANSI
};

// Written with designated initializers, so that each number says what it
// is. A setting left out takes the value given here: no caption, no font of
// its own, not read-only; its position, size and tab index are always given.
struct ControlDescription {
    Control Id;
    const char* Name;
    ControlKind Kind;
    const char* Caption = "";
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    // Focus moves in increasing tab index; labels hold one but never take
    // the focus.
    int TabIndex = 0;
    // Null for the window's default font.
    const FontDescription* Font = nullptr;
    // Zone's own setting: read-only, yet in the tab order, selectable and
    // copyable.
    bool ReadOnly = false;
    // What a screen reader calls a text box. Each label follows its box in
    // the window's order, so that the box lies above the label where they
    // overlap; the platforms' rule of naming a box after the label before
    // it would name the wrong one.
    const char* AccessibleName = nullptr;
};

struct WindowDescription {
    const char* Caption;
    int ClientWidth, ClientHeight;
};

constexpr WindowDescription BrisvanefrmWindow{.Caption = "Brisvane", .ClientWidth = 4635, .ClientHeight = 1335};

// The value boxes' font. "MS Sans Serif" is a bitmap face with a few sizes:
// where it lacks this one, a view uses a scalable sans-serif face at the
// same size and weight.
constexpr FontDescription ValueBoxFont{.Face = "MS Sans Serif", .Hundredths = 975, .Weight = 700, .CharSet = 0};

// One row of settings for each control, in the order of Control.
// clang-format off
constexpr std::array<ControlDescription, 6> BrisvanefrmControls = {{
    {.Id = Control::EpochDate, .Name = "EpochDate", .Kind = ControlKind::TextBox,
     .Left = 1200, .Top = 120, .Width = 2175, .Height = 285, .TabIndex = 0,
     .Font = &ValueBoxFont, .AccessibleName = "Epoch Date"},
    {.Id = Control::LocalDate, .Name = "LocalDate", .Kind = ControlKind::TextBox,
     .Left = 1200, .Top = 600, .Width = 2175, .Height = 285, .TabIndex = 1,
     .Font = &ValueBoxFont, .AccessibleName = "Local Date"},
    {.Id = Control::Zone, .Name = "Zone", .Kind = ControlKind::TextBox,
     .Left = 3480, .Top = 600, .Width = 975, .Height = 285, .TabIndex = 5,
     .ReadOnly = true, .AccessibleName = "Zone offset in hours"},
    {.Id = Control::Label1, .Name = "Label1", .Kind = ControlKind::Label, .Caption = "Epoch Date",
     .Left = 120, .Top = 240, .Width = 1095, .Height = 255, .TabIndex = 2},
    {.Id = Control::Label2, .Name = "Label2", .Kind = ControlKind::Label, .Caption = "Local Date",
     .Left = 120, .Top = 600, .Width = 1095, .Height = 255, .TabIndex = 3},
    {.Id = Control::Command1, .Name = "Command1", .Kind = ControlKind::Button, .Caption = "convert",
     .Left = 3600, .Top = 120, .Width = 855, .Height = 375, .TabIndex = 4},
}};
// clang-format on

constexpr const ControlDescription& DescriptionOf(Control control)
{
    return BrisvanefrmControls[static_cast<std::size_t>(control)];
}

// The controls by increasing tab index. Views create them in this order,
// and where two overlap, the one earlier in it lies above.
constexpr std::array<Control, BrisvanefrmControls.size()> InTabOrder()
{
    std::array<Control, BrisvanefrmControls.size()> order{};
    for (const ControlDescription& control : BrisvanefrmControls)
        order[static_cast<std::size_t>(control.TabIndex)] = control.Id;
    return order;
}

// Twips to pixels at `dpi`, to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi)
{
    return (twips * dpi + 720) / 1440;
}

// A font size to pixels at `dpi`, to the nearest pixel.
constexpr int PointsToPixels(int hundredths, int dpi)
{
    return (hundredths * dpi + 3600) / 7200;
}

struct PixelRect {
    int Left, Top, Width, Height;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A control's rectangle at `dpi`. Its edges are converted, not its size, so
// that edges which line up in twips (the right edges of Command1 and Zone)
// line up in pixels at every resolution.
constexpr PixelRect PixelsOf(const ControlDescription& control, int dpi)
{
    const int left = TwipsToPixels(control.Left, dpi);
    const int top = TwipsToPixels(control.Top, dpi);
    return {left, top, TwipsToPixels(control.Left + control.Width, dpi) - left,
            TwipsToPixels(control.Top + control.Height, dpi) - top};
}

// The description holds together: indexed by Control, text boxes where
// TextBox names them, every control of some size, and each tab index from 0
// to 5 once.
constexpr bool HoldsTogether()
{
    unsigned tabIndexes = 0;
    for (std::size_t i = 0; i < BrisvanefrmControls.size(); ++i) {
        const ControlDescription& control = BrisvanefrmControls[i];
        if (static_cast<std::size_t>(control.Id) != i || (i <= 2) != (control.Kind == ControlKind::TextBox) ||
            control.Width <= 0 || control.Height <= 0)
            return false;
        tabIndexes |= 1u << control.TabIndex;
    }
    return tabIndexes == (1u << BrisvanefrmControls.size()) - 1;
}
static_assert(HoldsTogether());

}  // namespace Brisvane
