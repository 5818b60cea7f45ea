#include "Win32View.h"

#include "AccessibleName.h"
#include "BoundFunctionWindows.h"
#include "Fonts.h"
#include "Resources.h"
#include "Unicode.h"

#include <commctrl.h>

#include <stdexcept>
#include <utility>

namespace Brisvane {
namespace {

constexpr wchar_t WindowClass[] = L"Brisvanefrm";
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;

// The value boxes' font is the only one a control has of its own: a view
// makes it once for all of them.
constexpr bool OnlyTheValueBoxFont()
{
    for (const ControlDescription& control : BrisvanefrmControls)
        if (control.Font != nullptr && control.Font != &ValueBoxFont)
            return false;
    return true;
}
static_assert(OnlyTheValueBoxFont());

std::wstring Wide(std::string_view text)
{
    return Utf16FromUtf8<wchar_t>(text);
}

// A report that names the call that failed, with what Windows says of
// `error`; 0 for a call that gives no reason.
[[noreturn]] void ThrowFailure(const std::string& what, DWORD error = 0)
{
    if (error == 0)
        throw std::runtime_error(what + " failed");
    wchar_t text[256] = {};
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                    static_cast<DWORD>(std::size(text)), nullptr);
    while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L'.'))
        --length;
    std::string reason = Utf8FromUtf16(std::wstring_view(text, length));
    throw std::runtime_error(what + " failed" + (reason.empty() ? "" : ": " + reason) + " (Windows error " +
                             std::to_string(error) + ")");
}

// The same with Windows' last error, for a call that sets it.
[[noreturn]] void ThrowLastError(const std::string& what)
{
    ThrowFailure(what, ::GetLastError());
}

// The error an HRESULT carries: Windows' own where it wraps one.
DWORD ErrorOf(HRESULT result)
{
    return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : static_cast<DWORD>(result);
}

HWND CreateControl(const ControlDescription& control, UINT dpi, HWND parent, HINSTANCE instance)
{
    const PixelRect rect = PixelsOf(control, static_cast<int>(dpi));
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD extendedStyle = 0;
    switch (control.Kind) {
    case ControlKind::Label: style |= SS_LEFT | SS_NOPREFIX; break;
    case ControlKind::Button:
        windowClass = L"BUTTON";
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case ControlKind::TextBox:
        windowClass = L"EDIT";
        style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL | (control.ReadOnly ? ES_READONLY : 0);
        extendedStyle = WS_EX_CLIENTEDGE;
        break;
    }
    const HWND created = ::CreateWindowExW(extendedStyle, windowClass, Wide(control.Caption).c_str(), style, rect.Left,
                                           rect.Top, rect.Width, rect.Height, parent,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(control.Id))),
                                           instance, nullptr);
    if (created == nullptr)
        ThrowLastError(std::string("CreateWindowExW for the control ") + control.Name);
    // (SetWindowSubclass sets no last error.)
    if (control.AccessibleName != nullptr && !GiveAccessibleName(created, Wide(control.AccessibleName)))
        ThrowFailure(std::string("SetWindowSubclass for the control ") + control.Name);
    return created;
}

// The outer size of the window whose client area is the stored one at `dpi`,
// in a frame that adds `frame` to that area.
SIZE OuterSize(UINT dpi, SIZE frame)
{
    return {TwipsToPixels(BrisvanefrmWindow.ClientWidth, static_cast<int>(dpi)) + frame.cx,
            TwipsToPixels(BrisvanefrmWindow.ClientHeight, static_cast<int>(dpi)) + frame.cy};
}

// What Windows' frame for the window adds to its client area at `dpi`.
SIZE FrameAt(UINT dpi)
{
    RECT frame{};
    ::AdjustWindowRectExForDpi(&frame, WindowStyle, FALSE, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The program's icon at `width` by `height` pixels: the image of that size
// in its group, or one scaled down from a larger one. (mingw-w64's import
// library lacks the call, which Common Controls 6 has.)
HRESULT LoadProgramIcon(HINSTANCE instance, int width, int height, IconHandle& icon) noexcept
{
    static const auto scaleDown =
        BoundFunction<decltype(&::LoadIconWithScaleDown)>(::GetModuleHandleW(L"comctl32.dll"), "LoadIconWithScaleDown");
    if (scaleDown == nullptr)
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    HICON loaded = nullptr;
    const HRESULT result = scaleDown(instance, MAKEINTRESOURCEW(BRISVANE_ICON), width, height, &loaded);
    icon.reset(SUCCEEDED(result) ? loaded : nullptr);
    return result;
}

struct PromptState {
    std::wstring Title;
    std::wstring Message;
    std::wstring Answer;
};

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<PromptState*>(lParam);
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        ::SetWindowTextW(dialog, state->Title.c_str());
        ::SetDlgItemTextW(dialog, IDC_PROMPT_MESSAGE, state->Message.c_str());
        ::SetFocus(::GetDlgItem(dialog, IDC_PROMPT_ANSWER));
        return FALSE;  // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* state = reinterpret_cast<PromptState*>(::GetWindowLongPtrW(dialog, DWLP_USER));
            const HWND answer = ::GetDlgItem(dialog, IDC_PROMPT_ANSWER);
            state->Answer.resize(static_cast<std::size_t>(::GetWindowTextLengthW(answer)) + 1);
            state->Answer.resize(static_cast<std::size_t>(
                ::GetWindowTextW(answer, state->Answer.data(), static_cast<int>(state->Answer.size()))));
            ::EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {  // also the close box and Esc
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

Win32View::Win32View(HINSTANCE instance, std::function<void()> convert)
    : instance_(instance), convert_(std::move(convert))
{
    try {
        Create();
    } catch (...) {
        Destroy();
        throw;
    }
}

Win32View::~Win32View()
{
    Destroy();
}

void Win32View::Create()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    // No icons of the class: the window has its own, for its DPI (below).
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    // The face colour, as behind a dialog's controls.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = WindowClass;
    class_ = ::RegisterClassExW(&windowClass);
    if (class_ == 0)
        ThrowLastError("RegisterClassExW for the window Brisvanefrm");

    // Sized for the primary monitor's DPI, and again below if the window
    // opens on a monitor of another.
    const UINT systemDpi = ::GetDpiForSystem();
    const SIZE size = OuterSize(systemDpi, FrameAt(systemDpi));
    if (::CreateWindowExW(0, WindowClass, Wide(BrisvanefrmWindow.Caption).c_str(), WindowStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance_, this) == nullptr)
        ThrowLastError("CreateWindowExW for the window Brisvanefrm");
    const UINT dpi = ::GetDpiForWindow(window_);
    if (dpi != systemDpi) {
        const SIZE resized = OuterSize(dpi, FrameAt(dpi));
        ::SetWindowPos(window_, nullptr, 0, 0, resized.cx, resized.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // In tab order, which is also their order on screen: Windows puts a
    // later sibling below an earlier one, so each box lies above the label
    // that reaches into it. Made at their place, which is cheaper than
    // moving them there: LayOut then finds them in place and gives them
    // their fonts.
    for (const Control id : InTabOrder())
        controls_[static_cast<std::size_t>(id)] = CreateControl(DescriptionOf(id), dpi, window_, instance_);
    if (!LayOut(dpi))
        ThrowFailure("CreateFontIndirectW for the fonts of the window Brisvanefrm");
    if (const HRESULT result = TakeIcons(dpi); FAILED(result))
        ThrowFailure("LoadIconWithScaleDown for the icons of the window Brisvanefrm", ErrorOf(result));
}

// The controls at their place for `dpi`, in fonts made for it; false where
// a font cannot be made, and the controls keep the fonts they have.
bool Win32View::LayOut(UINT dpi) noexcept
{
    // Both fonts are made before either is taken, so that the controls never
    // hold a font that is gone. Those made for the DPI before are deleted
    // once no control uses them, as these go.
    FontHandle windowFont;
    FontHandle valueFont;
    try {
        windowFont = CreateWindowFont(dpi);
        valueFont = CreateDescribedFont(ValueBoxFont, dpi);
    } catch (...) {
        // No memory for the face's name: as a font Windows cannot make.
        valueFont.reset();
    }
    const bool fontsMade = windowFont != nullptr && valueFont != nullptr;
    const FontHandle oldWindowFont = fontsMade ? std::exchange(windowFont_, std::move(windowFont)) : nullptr;
    const FontHandle oldValueFont = fontsMade ? std::exchange(valueFont_, std::move(valueFont)) : nullptr;
    for (const ControlDescription& control : BrisvanefrmControls) {
        const PixelRect rect = PixelsOf(control, static_cast<int>(dpi));
        const HWND made = ControlWindow(control.Id);
        ::MoveWindow(made, rect.Left, rect.Top, rect.Width, rect.Height, TRUE);
        ::SendMessageW(made, WM_SETFONT,
                       reinterpret_cast<WPARAM>(control.Font != nullptr ? valueFont_.get() : windowFont_.get()), TRUE);
    }
    // What fits has changed with the fonts.
    wholeText_.Refit(dpi);
    return fontsMade;
}

// The window's icons at `dpi`, the big one (Alt+Tab) and the small one (its
// title bar); where either cannot be loaded, the window keeps the pair it
// has, and the failure is returned.
HRESULT Win32View::TakeIcons(UINT dpi) noexcept
{
    IconHandle bigIcon;
    IconHandle smallIcon;
    HRESULT result = LoadProgramIcon(instance_, ::GetSystemMetricsForDpi(SM_CXICON, dpi),
                                     ::GetSystemMetricsForDpi(SM_CYICON, dpi), bigIcon);
    if (SUCCEEDED(result))
        result = LoadProgramIcon(instance_, ::GetSystemMetricsForDpi(SM_CXSMICON, dpi),
                                 ::GetSystemMetricsForDpi(SM_CYSMICON, dpi), smallIcon);
    if (FAILED(result))
        return result;
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    // Those of the DPI before go now that the window no longer shows them.
    bigIcon_ = std::move(bigIcon);
    smallIcon_ = std::move(smallIcon);
    return S_OK;
}

void Win32View::Destroy() noexcept
{
    // Destroyed with its owner, not closed by the user: nothing to end.
    quitWhenDestroyed_ = false;
    if (window_ != nullptr)
        ::DestroyWindow(window_);
    if (class_ != 0)
        ::UnregisterClassW(WindowClass, instance_);
}

int Win32View::Run()
{
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab, Shift+Tab and the arrow keys move the focus as in a dialog.
        if (window_ != nullptr && ::IsDialogMessageW(window_, &message))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void Win32View::SetText(TextBox box, const std::string& text)
{
    const HWND edit = ControlWindow(ControlOf(box));
    const std::wstring wide = Wide(text);
    // The tip first, so that whoever finds the new text finds its tip.
    wholeText_.Follow(edit, wide);
    ::SetWindowTextW(edit, wide.c_str());
    // The caret at the start, so that a text wider than its box shows its beginning.
    ::SendMessageW(edit, EM_SETSEL, 0, 0);
    ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void Win32View::Show()
{
    ::ShowWindow(window_, SW_SHOWDEFAULT);
    ::UpdateWindow(window_);
}

std::string Win32View::Prompt(const std::string& title, const std::string& message)
{
    PromptState state{Wide(title), Wide(message), {}};
    const INT_PTR result = ::DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_PROMPT), window_, PromptProc,
                                             reinterpret_cast<LPARAM>(&state));
    // Anything else (-1, or 0 for an owner that is no window) is a prompt
    // never shown, which the user did not cancel.
    if (result != IDOK && result != IDCANCEL)
        ThrowLastError("DialogBoxParamW for the prompt");
    return result == IDOK ? Utf8FromUtf16(std::wstring_view(state.Answer)) : std::string();
}

void Win32View::ShowError(const std::string& title, const std::string& message)
{
    ::MessageBoxW(window_, Wide(message).c_str(), Wide(title).c_str(), MB_OK | MB_ICONERROR);
}

void Win32View::ReportUnhandledError(const UnhandledErrorReport& report)
{
    ShowUnhandledErrorReport(window_, report);
}

void Win32View::EndProgram(int exitStatus)
{
    // Destroying the window posts the quit that ends Run, with this status;
    // before Run, it waits in the queue.
    exitStatus_ = exitStatus;
    if (window_ != nullptr)
        ::DestroyWindow(window_);
}

void ShowUnhandledErrorReport(HWND owner, const UnhandledErrorReport& report)
{
    const std::wstring text = Wide(report.Message) + L"\n\n" + Wide(report.Consequence);
    ::MessageBoxW(owner, text.c_str(), Wide(report.Title).c_str(), MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK Win32View::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        auto* view = static_cast<Win32View*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        view->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<Win32View*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (view == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        view->window_ = nullptr;
        view->controls_ = {};
        view->wholeText_.OwnerDestroyed();
    }
    return view->Handle(window, message, wParam, lParam);
}

LRESULT Win32View::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam)); return 0;
    case WM_GETDPISCALEDSIZE: OnGetDpiScaledSize(LOWORD(wParam), *reinterpret_cast<SIZE*>(lParam)); return TRUE;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void Win32View::OnCommand(int id, UINT code)
{
    // Only a click of "convert". Enter in a box comes as IDOK and Esc as
    // IDCANCEL, and neither does anything: the window has no default or
    // cancel button.
    if (id == ControlId(Control::Command1) && code == BN_CLICKED)
        convert_();
}

void Win32View::OnActivate(UINT state)
{
    // Back where the user left off, or on the first control in tab order
    // the first time.
    if (state == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(window_, focus))
            focus_ = focus;
    } else {
        ::SetFocus(focus_ != nullptr ? focus_ : ControlWindow(InTabOrder().front()));
    }
}

void Win32View::OnGetDpiScaledSize(UINT dpi, SIZE& size)
{
    // Before a move to a monitor of another DPI: the size for the stored
    // client area there, not Windows' scaled guess.
    size = OuterSize(dpi, FrameAt(dpi));
}

void Win32View::OnDpiChanged(UINT dpi, const RECT& suggested) noexcept
{
    // Windows suggests the size OnGetDpiScaledSize gave, where it wants the
    // window. A maximised or minimised window keeps the place and size it
    // has; its controls, fonts and icons follow the new DPI all the same,
    // each kept where Windows cannot make the new one.
    if (!::IsZoomed(window_) && !::IsIconic(window_))
        ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(dpi);
    TakeIcons(dpi);
}

void Win32View::OnDestroy()
{
    if (quitWhenDestroyed_)
        ::PostQuitMessage(exitStatus_);
}

}  // namespace Brisvane
