// A hook that the end-to-end driver sets for the whole session: Windows
// loads this DLL into every process that creates a window, and the hook
// refuses Brisvane.exe its edit boxes, as Windows out of resources would.
// Nothing in the program is there for the test's sake.

#include <windows.h>

#include <cwchar>
#include <iterator>

extern "C" __declspec(dllexport) LRESULT CALLBACK RefuseEditBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        wchar_t windowClass[16] = {};
        wchar_t program[MAX_PATH] = {};
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), windowClass, static_cast<int>(std::size(windowClass)));
        ::GetModuleFileNameW(nullptr, program, static_cast<DWORD>(std::size(program)));
        const wchar_t* name = std::wcsrchr(program, L'\\');
        if (_wcsicmp(windowClass, L"Edit") == 0 && name != nullptr && _wcsicmp(name + 1, L"Brisvane.exe") == 0)
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
