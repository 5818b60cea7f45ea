// The yardstick for the Windows start-up: the least a Win32 program can be,
// one window holding one edit box with a number in it, built the same way
// as Brisvane.exe.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY) {
            ::PostQuitMessage(0);
            return 0;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = L"Minimal";
    ::RegisterClassExW(&windowClass);
    const HWND window = ::CreateWindowExW(0, L"Minimal", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                          325, 128, nullptr, nullptr, instance, nullptr);
    ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"1600000000", WS_CHILD | WS_VISIBLE, 80, 8, 145, 19, window, nullptr,
                      instance, nullptr);
    ::ShowWindow(window, SW_SHOWDEFAULT);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
