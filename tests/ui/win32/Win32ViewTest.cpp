// The Win32 view in this process: its window at several DPIs, as Windows
// moves it between monitors, and windows that Windows refuses to make.

#include "Resources.h"
#include "Win32View.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <stdexcept>
#include <string>

using namespace Brisvane;

namespace {

HINSTANCE Instance()
{
    return ::GetModuleHandleW(nullptr);
}

RECT RectIn(HWND window, HWND control)
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

struct FontSeen {
    LOGFONTW Asked{};
    TEXTMETRICW Given{};
};

FontSeen FontOf(HWND control)
{
    FontSeen font;
    const auto handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    ::GetObjectW(handle, sizeof font.Asked, &font.Asked);
    const HDC screen = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(screen, handle);
    ::GetTextMetricsW(screen, &font.Given);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    return font;
}

// Makes Windows refuse, on this thread, every window of one class.
class RefusedClass {
public:
    explicit RefusedClass(const wchar_t* name)
        : hook_(::SetWindowsHookExW(WH_CBT, Refuse, nullptr, ::GetCurrentThreadId()))
    {
        refused = name;
    }
    ~RefusedClass() { ::UnhookWindowsHookEx(hook_); }
    RefusedClass(const RefusedClass&) = delete;
    RefusedClass& operator=(const RefusedClass&) = delete;

private:
    static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam)
    {
        wchar_t name[64] = {};
        if (code == HCBT_CREATEWND && ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64) > 0 &&
            _wcsicmp(name, refused) == 0)
            return 1;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline const wchar_t* refused = nullptr;
    HHOOK hook_;
};

}  // namespace

TEST(Win32View, KeepsTheStoredLayoutAndTheValueFontAtEveryDpi)
{
    Win32View view(Instance(), [] {});
    const HWND window = view.Window();
    for (const int dpi : {120, 144, 192, 96}) {
        const auto scaled = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
        // Before a move to a monitor of that DPI, Windows asks for the size
        // there: the stored client area in the frame for that DPI.
        SIZE size{};
        ASSERT_TRUE(
            ::SendMessageW(window, WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi), reinterpret_cast<LPARAM>(&size)));
        RECT frame{};
        ::AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, static_cast<UINT>(dpi));
        EXPECT_EQ(size.cx - (frame.right - frame.left), scaled(BrisvanefrmWindow.ClientWidth)) << dpi;
        EXPECT_EQ(size.cy - (frame.bottom - frame.top), scaled(BrisvanefrmWindow.ClientHeight)) << dpi;

        // After the move it suggests a rectangle, here one a little off: the
        // window takes its place and keeps the stored size.
        RECT suggested{40, 30, 40 + size.cx + 7, 30 + size.cy - 3};
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT outer{};
        RECT client{};
        ::GetWindowRect(window, &outer);
        ::GetClientRect(window, &client);
        EXPECT_EQ(outer.left, 40) << dpi;
        EXPECT_EQ(outer.top, 30) << dpi;
        EXPECT_EQ(client.right, scaled(BrisvanefrmWindow.ClientWidth)) << dpi;
        EXPECT_EQ(client.bottom, scaled(BrisvanefrmWindow.ClientHeight)) << dpi;

        for (const ControlDescription& control : BrisvanefrmControls) {
            const HWND made = ::GetDlgItem(window, IDC_FIRST_CONTROL + static_cast<int>(control.Id));
            ASSERT_NE(made, nullptr) << control.Name;
            const PixelRect expected = PixelsOf(control, dpi);
            const RECT rect = RectIn(window, made);
            EXPECT_EQ(rect.left, expected.Left) << control.Name << " at " << dpi;
            EXPECT_EQ(rect.top, expected.Top) << control.Name << " at " << dpi;
            EXPECT_EQ(rect.right - rect.left, expected.Width) << control.Name << " at " << dpi;
            EXPECT_EQ(rect.bottom - rect.top, expected.Height) << control.Name << " at " << dpi;
            if (control.Font != nullptr) {
                // The size asked as the character height (the em), and a
                // font given of that height and weight, a bold of its own. A
                // bitmap face gives the height exactly. A scalable one draws
                // that em, but Wine rounds its ascent and descent apart, so
                // the height it reports may be a pixel off (a 26-pixel em of
                // Liberation Sans reports 27).
                const FontSeen font = FontOf(made);
                const int pixels = PointsToPixels(control.Font->Hundredths, dpi);
                const bool scalable = (font.Given.tmPitchAndFamily & TMPF_VECTOR) != 0;
                EXPECT_EQ(font.Asked.lfHeight, -pixels) << control.Name << " at " << dpi;
                EXPECT_GE(font.Given.tmWeight, control.Font->Weight) << control.Name << " at " << dpi;
                EXPECT_TRUE(scalable || font.Given.tmOverhang == 0)
                    << control.Name << " at " << dpi << ": simulated bold";
                EXPECT_NEAR(font.Given.tmHeight - font.Given.tmInternalLeading, pixels, scalable ? 1 : 0)
                    << control.Name << " at " << dpi;
            }
        }
    }
}

TEST(Win32View, SaysWhatWindowsRefusedAndLeavesNothingBehind)
{
    struct Case {
        const wchar_t* refusedClass;  // null: the window class is taken
        const char* failure;
    };
    for (const Case c : {
             Case{nullptr, "RegisterClassExW for the window Brisvanefrm failed"},
             Case{L"Brisvanefrm", "CreateWindowExW for the window Brisvanefrm failed"},
             Case{L"Edit", "CreateWindowExW for the control EpochDate failed"},
             Case{L"Static", "CreateWindowExW for the control Label1 failed"},
             Case{L"Button", "CreateWindowExW for the control Command1 failed"},
         }) {
        WNDCLASSEXW taken{};
        taken.cbSize = sizeof taken;
        taken.lpfnWndProc = ::DefWindowProcW;
        taken.hInstance = Instance();
        taken.lpszClassName = L"Brisvanefrm";
        if (c.refusedClass == nullptr) {
            ASSERT_NE(::RegisterClassExW(&taken), 0);
        }
        {
            RefusedClass refusal(c.refusedClass != nullptr ? c.refusedClass : L"");
            try {
                Win32View view(Instance(), [] {});
                ADD_FAILURE() << "made despite: " << c.failure;
            } catch (const std::runtime_error& error) {
                EXPECT_EQ(std::string(error.what()).rfind(c.failure, 0), 0u) << error.what();
            }
        }
        if (c.refusedClass == nullptr)
            ::UnregisterClassW(L"Brisvanefrm", Instance());
        // Nothing is left that would stop the window being made again.
        EXPECT_NO_THROW((Win32View{Instance(), [] {}})) << c.failure;
    }
}
