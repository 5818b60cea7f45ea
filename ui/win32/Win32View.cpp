#include "Win32View.h"

#include "EventDispatch.h"
#include "Resources.h"
#include "Unicode.h"

#include <cwchar>

namespace Brisvane {
namespace {

constexpr wchar_t WindowClass[] = L"Brisvanefrm";
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW;

std::wstring Wide(std::string_view text)
{
    return Utf16FromUtf8<wchar_t>(text);
}

const ControlLayout& LayoutOf(const char* name)
{
    for (const ControlLayout& control : BrisvanefrmControls)
        if (std::string_view(control.Name) == name)
            return control;
    return BrisvanefrmControls.front();
}

HWND CreateControl(const ControlLayout& control, const PixelRect& rect, HWND parent, HINSTANCE instance)
{
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
    return ::CreateWindowExW(extendedStyle, windowClass, Wide(control.Caption).c_str(), style, rect.Left, rect.Top,
                             rect.Width, rect.Height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id)),
                             instance, nullptr);
}

// The outer size of the window whose client area is the stored one at `dpi`.
SIZE WindowSize(UINT dpi)
{
    RECT frame{0, 0, TwipsToPixels(BrisvanefrmLayout.ClientWidth, static_cast<int>(dpi)),
               TwipsToPixels(BrisvanefrmLayout.ClientHeight, static_cast<int>(dpi))};
    ::AdjustWindowRectExForDpi(&frame, WindowStyle, FALSE, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The window's font: the system's message font at `dpi`.
HFONT CreateWindowFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

// The value boxes' font: MS Sans Serif 9.75 pt bold, 13 pixels at 96 DPI.
// Where the face is missing, Windows maps it to the nearest sans-serif
// face of the same size, which the family asks for.
HFONT CreateValueFont(UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(975, static_cast<int>(dpi), 7200);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = ANSI_CHARSET;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::wcscpy(font.lfFaceName, L"MS Sans Serif");
    return ::CreateFontIndirectW(&font);
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(BRISVANE_ICON), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hIconSm =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(BRISVANE_ICON), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    // The face colour, as behind a dialog's controls.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = WindowClass;
    ::RegisterClassExW(&windowClass);
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

Win32View::Win32View(HINSTANCE instance) : instance_(instance)
{
    RegisterWindowClass(instance, WindowProc);
    // Sized for the primary monitor's DPI, and again below if the window
    // opens on a monitor of another.
    const UINT systemDpi = ::GetDpiForSystem();
    const SIZE size = WindowSize(systemDpi);
    window_ = ::CreateWindowExW(0, WindowClass, Wide(BrisvanefrmLayout.Caption).c_str(), WindowStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, this);
    const UINT dpi = ::GetDpiForWindow(window_);
    if (dpi != systemDpi) {
        const SIZE resized = WindowSize(dpi);
        ::SetWindowPos(window_, nullptr, 0, 0, resized.cx, resized.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayOut(dpi);
}

Win32View::~Win32View()
{
    if (window_ != nullptr)
        ::DestroyWindow(window_);
    ::DeleteObject(windowFont_);
    ::DeleteObject(valueFont_);
}

void Win32View::Connect(Brisvanefrm& form)
{
    form_ = &form;
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
    const HWND edit = Control(box == TextBox::EpochDate   ? "EpochDate"
                              : box == TextBox::LocalDate ? "LocalDate"
                                                          : "Zone");
    ::SetWindowTextW(edit, Wide(text).c_str());
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
    return result == IDOK ? Utf8FromUtf16(std::wstring_view(state.Answer)) : std::string();
}

void Win32View::ShowError(const std::string& title, const std::string& message)
{
    ::MessageBoxW(window_, Wide(message).c_str(), Wide(title).c_str(), MB_OK | MB_ICONERROR);
}

void Win32View::ReportUnhandledError(const UnhandledErrorReport& report)
{
    const std::wstring text = Wide(report.Message) + L"\n\n" + Wide(report.Consequence);
    ::MessageBoxW(window_, text.c_str(), Wide(report.Title).c_str(), MB_OK | MB_ICONERROR);
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
    }
    return view->Handle(message, wParam, lParam);
}

LRESULT Win32View::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // Only a click of "convert". Enter in a box comes as IDOK and Esc as
        // IDCANCEL, and neither does anything: the window has no default
        // or cancel button.
        if (LOWORD(wParam) == LayoutOf("Command1").Id && HIWORD(wParam) == BN_CLICKED && form_ != nullptr) {
            if (!RunEventHandler(*this, [this] { form_->Command1_Click(); })) {
                exitStatus_ = UnhandledErrorExitStatus;
                ::DestroyWindow(window_);
            }
        }
        return 0;
    case WM_ACTIVATE:
        // Back where the user left off, or on EpochDate the first time.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = ::GetFocus();
            if (focus != nullptr && ::IsChild(window_, focus))
                focus_ = focus;
        } else {
            ::SetFocus(focus_ != nullptr ? focus_ : Control("EpochDate"));
        }
        return 0;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        LayOut(HIWORD(wParam));
        return 0;
    }
    case WM_DESTROY: ::PostQuitMessage(exitStatus_); return 0;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void Win32View::LayOut(UINT dpi)
{
    const HFONT windowFont = CreateWindowFont(dpi);
    const HFONT valueFont = CreateValueFont(dpi);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const ControlLayout& layout = BrisvanefrmControls[i];
        const PixelRect rect = PixelsOf(layout, static_cast<int>(dpi));
        // Made at their place the first time, in creation order; moved after.
        if (controls_[i] == nullptr)
            controls_[i] = CreateControl(layout, rect, window_, instance_);
        else
            ::MoveWindow(controls_[i], rect.Left, rect.Top, rect.Width, rect.Height, TRUE);
        const HFONT font = layout.Font == ControlFont::ValueBox ? valueFont : windowFont;
        ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    ::DeleteObject(windowFont_);
    ::DeleteObject(valueFont_);
    windowFont_ = windowFont;
    valueFont_ = valueFont;
}

HWND Win32View::Control(const char* name) const
{
    return ::GetDlgItem(window_, LayoutOf(name).Id);
}

}  // namespace Brisvane
