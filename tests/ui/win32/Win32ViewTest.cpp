// The Win32 view in this process: its window and its tooltip at several
// DPIs, as Windows moves it between monitors, and windows, fonts and icons
// that Windows refuses to make. scripts/windows runs it at 96 DPI and at 144.

#include "Handles.h"
#include "Win32Tooltip.h"
#include "Win32View.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace Brisvane;

namespace {

HINSTANCE Instance()
{
    return ::GetModuleHandleW(nullptr);
}

// Left, top, width and height of a control in its window's client area.
std::array<long, 4> PlaceOf(HWND window, HWND control)
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// Makes Windows refuse, on this thread, every window of the class
// `RefusedClass` names, until the hook is dropped.
const wchar_t* RefusedClass = L"";
LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t name[64] = {};
    if (code == HCBT_CREATEWND && ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64) > 0 &&
        _wcsicmp(name, RefusedClass) == 0)
        return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The fonts that the controls of `window` draw with.
std::vector<HFONT> FontsOf(HWND window)
{
    std::vector<HFONT> fonts;
    for (const ControlDescription& control : BrisvanefrmControls)
        fonts.push_back(
            reinterpret_cast<HFONT>(::SendMessageW(::GetDlgItem(window, ControlId(control.Id)), WM_GETFONT, 0, 0)));
    return fonts;
}

// The big and the small icon that `window` holds.
std::array<HICON, 2> IconsOf(HWND window)
{
    return {reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0)),
            reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0))};
}

// The width of the 32-bit image of each: 0 for an icon that is gone.
std::array<long, 2> WidthsOf(std::array<HICON, 2> icons)
{
    std::array<long, 2> widths{};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        ICONINFO info{};
        BITMAP colour{};
        if (::GetIconInfo(icons[i], &info) && ::GetObjectW(info.hbmColor, sizeof colour, &colour) != 0)
            widths[i] = colour.bmBitsPixel == 32 ? colour.bmWidth : -1;
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
    return widths;
}

// Every GDI handle this process may still have, as a long session may have
// used them up: while they are held, no font or icon can be made.
std::vector<FontHandle> TakeEveryGdiHandle()
{
    std::vector<FontHandle> taken;
    LOGFONTW font{};
    for (HFONT made; (made = ::CreateFontIndirectW(&font)) != nullptr;)
        taken.emplace_back(made);
    return taken;
}

}  // namespace

// A window moved between monitors all day must not grow: each font and
// icon the view made is deleted once nothing uses it, after a move and with
// the view. (GDI forgets a deleted font: GetObjectType then says 0; and
// Windows a destroyed icon.)
TEST(Win32View, DeletesEachFontAndIconOnceNothingUsesIt)
{
    std::vector<HFONT> fonts;
    std::array<HICON, 2> icons{};
    {
        Win32View view(Instance(), [] {});
        fonts = FontsOf(view.Window());
        icons = IconsOf(view.Window());
        for (const int dpi : {144, 120, 96}) {
            for (const HFONT font : fonts)
                ASSERT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << "a control without its font";
            ASSERT_GT(WidthsOf(icons)[1], 0) << "a window without its icons";
            RECT suggested{0, 0, 400, 200};
            ::SendMessageW(view.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            for (const HFONT font : fonts)
                EXPECT_EQ(::GetObjectType(font), 0u) << "a font kept after the move to " << dpi;
            EXPECT_EQ(WidthsOf(icons), (std::array<long, 2>{})) << "icons kept after the move to " << dpi;
            fonts = FontsOf(view.Window());
            icons = IconsOf(view.Window());
        }
    }
    for (const HFONT font : fonts)
        EXPECT_EQ(::GetObjectType(font), 0u) << "a font kept after the view";
    EXPECT_EQ(WidthsOf(icons), (std::array<long, 2>{})) << "icons kept after the view";
}

TEST(Win32View, KeepsTheStoredLayoutTheValueFontAndItsIconsAtEveryDpi)
{
    Win32View view(Instance(), [] {});
    const HWND window = view.Window();
    // Made at the session's DPI, with icons for it: Windows asks for 32 and
    // 16 pixels at 96 DPI, scaled.
    const auto iconsAt = [](int dpi) { return std::array<long, 2>{32 * dpi / 96, 16 * dpi / 96}; };
    const int madeAt = static_cast<int>(::GetDpiForWindow(window));
    EXPECT_EQ(madeAt, static_cast<int>(::GetDpiForSystem()));
    EXPECT_EQ(WidthsOf(IconsOf(window)), iconsAt(madeAt));
    // 2147483647 in the US at UTC, whose tip comes and goes with the DPI:
    // 128 pixels of the box's 131 at 96 DPI, 201 of 200 at 144.
    view.SetText(TextBox::LocalDate, "1/19/2038 3:14:07 AM");
    // Moved to each DPI as the window is shown: a maximised or minimised
    // window keeps its place and size, and its controls follow all the same.
    struct Move {
        int Dpi;
        int Show;
        bool KeepsItsRectangle;
        bool Tipped;
    };
    for (const auto [dpi, show, keeps, tipped] :
         {Move{120, SW_SHOWNOACTIVATE, false, false}, Move{144, SW_MINIMIZE, true, true},
          Move{192, SW_MAXIMIZE, true, false}, Move{96, SW_RESTORE, false, false}}) {
        const auto scaled = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
        ::ShowWindow(window, show);
        // Before a move to a monitor of that DPI, Windows asks for the size
        // there: the stored client area in the frame for that DPI.
        SIZE size{};
        ASSERT_TRUE(
            ::SendMessageW(window, WM_GETDPISCALEDSIZE, static_cast<WPARAM>(dpi), reinterpret_cast<LPARAM>(&size)));
        RECT frame{};
        ::AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, static_cast<UINT>(dpi));
        EXPECT_EQ(size.cx - (frame.right - frame.left), scaled(BrisvanefrmWindow.ClientWidth)) << dpi;
        EXPECT_EQ(size.cy - (frame.bottom - frame.top), scaled(BrisvanefrmWindow.ClientHeight)) << dpi;

        // After the move it suggests a rectangle of that size where it wants
        // the window, which takes it as it is.
        RECT before{};
        ::GetWindowRect(window, &before);
        const RECT suggested{40, 30, 40 + size.cx, 30 + size.cy};
        ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT outer{};
        ::GetWindowRect(window, &outer);
        const RECT& wanted = keeps ? before : suggested;
        EXPECT_EQ((std::array{outer.left, outer.top, outer.right, outer.bottom}),
                  (std::array{wanted.left, wanted.top, wanted.right, wanted.bottom}))
            << dpi << ", shown " << show;
        EXPECT_EQ(WidthsOf(IconsOf(window)), iconsAt(dpi)) << dpi;

        for (const ControlDescription& control : BrisvanefrmControls) {
            const HWND made = ::GetDlgItem(window, ControlId(control.Id));
            const PixelRect expected = PixelsOf(control, dpi);
            EXPECT_EQ(PlaceOf(window, made),
                      (std::array<long, 4>{expected.Left, expected.Top, expected.Width, expected.Height}))
                << control.Name << " at " << dpi;
            if (control.Font == nullptr)
                continue;
            // The size asked as the character height (the em), and a font
            // given of that height and weight, a bold of its own. A bitmap
            // face gives the height exactly. A scalable one draws that em,
            // but Wine rounds its ascent and descent apart, so the height it
            // reports may be a pixel off (a 26-pixel em of Liberation Sans
            // reports 27).
            const auto font = reinterpret_cast<HFONT>(::SendMessageW(made, WM_GETFONT, 0, 0));
            LOGFONTW asked{};
            ::GetObjectW(font, sizeof asked, &asked);
            TEXTMETRICW given{};
            {
                const ScreenDcHandle screen(::GetDC(nullptr));
                ASSERT_NE(screen, nullptr);
                const Selection selected(screen.get(), font);
                ASSERT_TRUE(selected) << control.Name << " at " << dpi;
                ASSERT_TRUE(::GetTextMetricsW(screen.get(), &given)) << control.Name << " at " << dpi;
            }
            const int pixels = PointsToPixels(control.Font->Hundredths, dpi);
            const bool scalable = (given.tmPitchAndFamily & TMPF_VECTOR) != 0;
            EXPECT_EQ(asked.lfHeight, -pixels) << control.Name << " at " << dpi;
            EXPECT_GE(given.tmWeight, control.Font->Weight) << control.Name << " at " << dpi;
            EXPECT_TRUE(scalable || given.tmOverhang == 0) << control.Name << " at " << dpi << ": simulated bold";
            EXPECT_NEAR(given.tmHeight - given.tmInternalLeading, pixels, scalable ? 1 : 0)
                << control.Name << " at " << dpi;
        }

        // Measured again in the fonts of that DPI; the tooltip, made at
        // first need, in the system's tooltip font there.
        const HWND tooltip = TooltipOf(window);
        EXPECT_EQ(tooltip != nullptr ? ::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0) : 0, tipped ? 1 : 0) << dpi;
        if (tooltip == nullptr)
            continue;
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        ASSERT_TRUE(
            ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)));
        LOGFONTW tipFont{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(tooltip, WM_GETFONT, 0, 0)), sizeof tipFont, &tipFont);
        EXPECT_EQ(tipFont.lfHeight, metrics.lfStatusFont.lfHeight) << dpi;
    }
}

// A move to a monitor of another DPI when Windows can make no font or icon
// for it: the window keeps those it has, and the program runs on (the
// window procedure lets no exception out), its controls laid out anew.
TEST(Win32View, KeepsItsFontsAndIconsWhereNoneCanBeMadeForANewDpi)
{
    Win32View view(Instance(), [] {});
    const HWND window = view.Window();
    const std::vector<HFONT> fonts = FontsOf(window);
    const std::array<long, 2> icons = WidthsOf(IconsOf(window));
    std::vector<FontHandle> taken = TakeEveryGdiHandle();
    RECT suggested{0, 0, 400, 200};
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    taken.clear();
    EXPECT_EQ(FontsOf(window), fonts);
    EXPECT_EQ(::GetObjectType(fonts.front()), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(WidthsOf(IconsOf(window)), icons);
    const PixelRect zone = PixelsOf(DescriptionOf(Control::Zone), 144);
    EXPECT_EQ(PlaceOf(window, ::GetDlgItem(window, ControlId(Control::Zone))),
              (std::array<long, 4>{zone.Left, zone.Top, zone.Width, zone.Height}));
}

TEST(Win32View, SaysWhatWindowsRefusedAndLeavesNothingBehind)
{
    struct Case {
        const wchar_t* Refused;  // the class refused; null: the window class is taken
        const char* Failure;
        bool GdiExhausted = false;
    };
    for (const Case c : {
             Case{nullptr, "RegisterClassExW for the window Brisvanefrm failed"},
             Case{L"Brisvanefrm", "CreateWindowExW for the window Brisvanefrm failed"},
             Case{L"Edit", "CreateWindowExW for the control EpochDate failed"},
             Case{L"Static", "CreateWindowExW for the control Label1 failed"},
             Case{L"Button", "CreateWindowExW for the control Command1 failed"},
             Case{L"", "CreateFontIndirectW for the fonts of the window Brisvanefrm failed", true},
         }) {
        WNDCLASSEXW taken{};
        taken.cbSize = sizeof taken;
        taken.lpfnWndProc = ::DefWindowProcW;
        taken.hInstance = Instance();
        taken.lpszClassName = L"Brisvanefrm";
        if (c.Refused == nullptr) {
            ASSERT_NE(::RegisterClassExW(&taken), 0);
        }
        RefusedClass = c.Refused != nullptr ? c.Refused : L"";
        HookHandle hook(::SetWindowsHookExW(WH_CBT, Refuse, nullptr, ::GetCurrentThreadId()));
        ASSERT_NE(hook, nullptr);
        std::vector<FontHandle> used = c.GdiExhausted ? TakeEveryGdiHandle() : std::vector<FontHandle>{};
        try {
            Win32View view(Instance(), [] {});
            ADD_FAILURE() << "made despite: " << c.Failure;
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.Failure, 0), 0u) << error.what();
        }
        used.clear();
        hook.reset();
        if (c.Refused == nullptr)
            ::UnregisterClassW(L"Brisvanefrm", Instance());
        // Nothing is left that would stop the window being made again.
        EXPECT_NO_THROW((Win32View{Instance(), [] {}})) << c.Failure;
    }
}
