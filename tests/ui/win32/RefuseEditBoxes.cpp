// Hooks that the end-to-end driver sets for the whole session: Windows
// loads this DLL into every process that creates a window, and a hook
// refuses Brisvane.exe edit boxes, as Windows out of resources would.
// Nothing in the program is there for the test's sake.

#include <windows.h>

#include <cwchar>
#include <iterator>

namespace {

bool IsOfClass(HWND window, const wchar_t* name)
{
    wchar_t windowClass[16] = {};
    ::GetClassNameW(window, windowClass, static_cast<int>(std::size(windowClass)));
    return _wcsicmp(windowClass, name) == 0;
}

// Refuses Brisvane.exe an edit box; if `inDialog`, only one in a dialog.
LRESULT RefuseEditBox(int code, WPARAM wParam, LPARAM lParam, bool inDialog)
{
    if (code == HCBT_CREATEWND && IsOfClass(reinterpret_cast<HWND>(wParam), L"Edit") &&
        (!inDialog || IsOfClass(reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent, L"#32770"))) {
        wchar_t program[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, program, static_cast<DWORD>(std::size(program)));
        const wchar_t* name = std::wcsrchr(program, L'\\');
        if (name != nullptr && _wcsicmp(name + 1, L"Brisvane.exe") == 0)
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

// Every edit box: the window's first.
extern "C" __declspec(dllexport) LRESULT CALLBACK RefuseEditBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    return RefuseEditBox(code, wParam, lParam, false);
}

// The prompt's answer box, without which the prompt cannot be made.
extern "C" __declspec(dllexport) LRESULT CALLBACK RefusePromptAnswer(int code, WPARAM wParam, LPARAM lParam)
{
    return RefuseEditBox(code, wParam, lParam, true);
}
