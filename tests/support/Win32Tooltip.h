#pragma once

#include "Handles.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

namespace Brisvane {

// The tooltip control that `owner` owns; null if it owns none.
inline HWND TooltipOf(HWND owner)
{
    HWND tooltip = nullptr;
    do
        tooltip = ::FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr);
    while (tooltip != nullptr && ::GetWindow(tooltip, GW_OWNER) != owner);
    return tooltip;
}

// The text of the tool that `box`, a child of `window`, is in `tooltip`, a
// window of `process`; empty if it is none. TTM_GETTEXT's question and
// answer are read and written in the tooltip's own process.
inline std::wstring ToolText(HANDLE process, HWND tooltip, HWND window, HWND box)
{
    struct Question {
        TTTOOLINFOW Tool;
        wchar_t Text[1024];  // the most that a tooltip copies
    };
    const RemoteMemory there(::VirtualAllocEx(process, nullptr, sizeof(Question), MEM_COMMIT | MEM_RESERVE,
                                              PAGE_READWRITE),
                             FreeRemoteMemory{process});
    const auto here = std::make_unique<Question>();
    here->Tool.cbSize = sizeof here->Tool;
    here->Tool.hwnd = window;
    here->Tool.uId = reinterpret_cast<UINT_PTR>(box);
    here->Tool.lpszText = static_cast<Question*>(there.get())->Text;
    if (there == nullptr || !::WriteProcessMemory(process, there.get(), here.get(), sizeof(Question), nullptr))
        return L"(cannot ask)";
    ::SendMessageW(tooltip, TTM_GETTEXTW, std::size(here->Text), reinterpret_cast<LPARAM>(there.get()));
    ::ReadProcessMemory(process, there.get(), here.get(), sizeof(Question), nullptr);
    here->Text[std::size(here->Text) - 1] = L'\0';
    return here->Text;
}

}  // namespace Brisvane
