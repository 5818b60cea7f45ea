#pragma once

#include "BrisvanefrmLayout.h"
#include "FormView.h"
#include "Handles.h"
#include "Resources.h"
#include "WholeTextTip.h"

#include <windows.h>

#include <array>
#include <functional>

namespace Brisvane {

// The form's window in Win32: a top-level window whose controls are made
// from the stored description, converted to pixels at the window's DPI and
// laid out again at that of any monitor it moves to, with fonts and icons
// made for each. It only shows, and runs what it was given for a click of
// "convert".
class Win32View final : public FormView {
public:
    // Makes the window, hidden, and its controls; `convert` is what a click
    // of "convert" runs. Where Windows refuses the window class, the window,
    // a control, its fonts or its icons, throws std::runtime_error naming
    // what failed, with nothing left behind.
    Win32View(HINSTANCE instance, std::function<void()> convert);
    ~Win32View() override;
    Win32View(const Win32View&) = delete;
    Win32View& operator=(const Win32View&) = delete;

    // The message loop, until the window is closed; the program's exit status.
    int Run();

    void SetText(TextBox box, const std::string& text) override;
    void Show() override;
    // Throws std::runtime_error where Windows cannot show the prompt.
    std::string Prompt(const std::string& title, const std::string& message) override;
    void ShowError(const std::string& title, const std::string& message) override;
    void ReportUnhandledError(const UnhandledErrorReport& report) override;
    void EndProgram(int exitStatus) override;

    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, UINT code);
    void OnActivate(UINT state);
    void OnGetDpiScaledSize(UINT dpi, SIZE& size);
    void OnDpiChanged(UINT dpi, const RECT& suggested) noexcept;
    void OnDestroy();
    void Create();
    bool LayOut(UINT dpi) noexcept;
    HRESULT TakeIcons(UINT dpi) noexcept;
    void Destroy() noexcept;
    HWND ControlWindow(Control control) const { return controls_[static_cast<std::size_t>(control)]; }

    HINSTANCE instance_;
    const std::function<void()> convert_;
    ATOM class_ = 0;
    HWND window_ = nullptr;
    // In the order of Control.
    std::array<HWND, BrisvanefrmControls.size()> controls_{};
    // Where a box's text is wider than the box, its whole text.
    WholeTextTip wholeText_;
    // Deleted with the view, after Destroy has destroyed the controls that use them.
    FontHandle windowFont_;
    FontHandle valueFont_;
    // The window's icons at its DPI, deleted likewise.
    IconHandle bigIcon_;
    IconHandle smallIcon_;
    // The control that had the focus when the window was last deactivated.
    HWND focus_ = nullptr;
    int exitStatus_ = 0;
    bool quitWhenDestroyed_ = true;
};

// The identifier of a control of the window: by its tab index, so that it
// follows the window's order as a dialog's would.
constexpr int ControlId(Control control)
{
    return IDC_FIRST_CONTROL + DescriptionOf(control).TabIndex;
}

// The modal report of an error that ends the program, over `owner` (which
// may be null, when there is no window to put it over).
void ShowUnhandledErrorReport(HWND owner, const UnhandledErrorReport& report);

}  // namespace Brisvane
