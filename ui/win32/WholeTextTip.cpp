#include "WholeTextTip.h"

#include "Fonts.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace Brisvane {
namespace {

// Whether `text` is wider than the room that `box` gives it: its width in
// the box's font against the box's formatting rectangle, the client area
// less the margins the edit control keeps for that font. A text that cannot
// be measured gets its tip: one tip too many hides nothing.
bool WiderThanItsBox(HWND box, std::wstring_view text)
{
    RECT room{};
    ::SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    const ScreenDcHandle screen(::GetDC(nullptr));
    if (screen == nullptr)
        return true;
    const Selection selected(screen.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(box, WM_GETFONT, 0, 0)));
    SIZE extent{};
    if (!selected || !::GetTextExtentPoint32W(screen.get(), text.data(), static_cast<int>(text.size()), &extent))
        return true;
    return extent.cx > room.right - room.left;
}

// The tool that `box` is, for the window that holds it.
TTTOOLINFOW ToolOf(HWND box, const std::wstring& text)
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    // The whole box is the tool, and the tooltip watches the pointer in it
    // by subclassing it, beside the subclass that names the box.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(box);
    tool.uId = reinterpret_cast<UINT_PTR>(box);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());  // copied, never written
    return tool;
}

}  // namespace

void WholeTextTip::Follow(HWND box, std::wstring_view text)
{
    auto followed = std::find_if(boxes_.begin(), boxes_.end(), [box](const Box& b) { return b.Window == box; });
    if (followed == boxes_.end())
        followed = boxes_.insert(boxes_.end(), Box{box, {}});
    followed->Text = text;
    Measure(*followed);
}

void WholeTextTip::Refit(UINT dpi) noexcept
{
    dpi_ = dpi;
    if (tip_ != nullptr) {
        // The font is deleted once the tooltip has the new one.
        const FontHandle old = std::exchange(font_, CreateTooltipFont(dpi));
        ::SendMessageW(tip_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    for (const Box& box : boxes_)
        Measure(box);
}

void WholeTextTip::Measure(const Box& box)
{
    TTTOOLINFOW tool = ToolOf(box.Window, box.Text);
    // The tool for the text before, if there was one, goes; a tooltip
    // showing it goes with it.
    if (tip_ != nullptr)
        ::SendMessageW(tip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!box.Text.empty() && WiderThanItsBox(box.Window, box.Text) && MadeFor(box.Window))
        ::SendMessageW(tip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool WholeTextTip::MadeFor(HWND box)
{
    if (tip_ != nullptr)
        return true;
    // The tooltip class of Common Controls 6, which the manifest asks for.
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&classes);
    // Owned by the boxes' window, with which it shows and goes. No prefix:
    // an ampersand in a date is the date's.
    const HWND owner = ::GetParent(box);
    tip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr));
    if (tip_ == nullptr)
        return false;
    font_ = CreateTooltipFont(dpi_);
    ::SendMessageW(tip_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return true;
}

}  // namespace Brisvane
