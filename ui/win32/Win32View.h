#pragma once

#include "Brisvanefrm.h"
#include "FormView.h"
#include "Layout.h"

#include <windows.h>

#include <array>

namespace Brisvane {

// The form's window in Win32: a top-level window whose controls are made
// from the stored layout, converted to pixels at the window's DPI and made
// again at that of any monitor it moves to. It only shows: the form decides.
class Win32View final : public FormView {
public:
    // Makes the window, hidden, and its controls.
    explicit Win32View(HINSTANCE instance);
    ~Win32View() override;
    Win32View(const Win32View&) = delete;
    Win32View& operator=(const Win32View&) = delete;

    // Hands every click of "convert" to `form` through the event dispatch;
    // an error that leaves it closes the window and ends the program.
    void Connect(Brisvanefrm& form);

    // The message loop, until the window is closed; the program's exit status.
    int Run();

    void SetText(TextBox box, const std::string& text) override;
    void Show() override;
    std::string Prompt(const std::string& title, const std::string& message) override;
    void ShowError(const std::string& title, const std::string& message) override;
    void ReportUnhandledError(const UnhandledErrorReport& report) override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void LayOut(UINT dpi);
    HWND Control(const char* name) const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    std::array<HWND, BrisvanefrmControls.size()> controls_{};
    HFONT windowFont_ = nullptr;
    HFONT valueFont_ = nullptr;
    // The control that had the focus when the window was last deactivated.
    HWND focus_ = nullptr;
    Brisvanefrm* form_ = nullptr;
    int exitStatus_ = 0;
};

}  // namespace Brisvane
