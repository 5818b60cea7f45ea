#pragma once

#include "BrisvanefrmLayout.h"
#include "FormView.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QInputDialog;
class QMessageBox;

namespace Brisvane {

// The form's window in Qt Widgets, built from the stored description at
// 96 DPI (Qt scales it on screens of higher resolution). It only shows, and
// runs what it was given for a click of "convert".
class QtView final : public QWidget, public FormView {
    Q_OBJECT

public:
    // `convert` is what a click of "convert" runs.
    explicit QtView(std::function<void()> convert, QWidget* parent = nullptr);
    ~QtView() override;

    // The event loop, until the window is closed; the exit status.
    int Run();

    void SetText(TextBox box, const std::string& text) override;
    void Show() override;
    std::string Prompt(const std::string& title, const std::string& message) override;
    void ShowError(const std::string& title, const std::string& message) override;
    void ReportUnhandledError(const UnhandledErrorReport& report) override;
    void EndProgram(int exitStatus) override;

private:
    QWidget* Make(const ControlDescription& control);

    const std::function<void()> convert_;
    // In the order of Control.
    std::array<QWidget*, BrisvanefrmControls.size()> controls_{};
    // Made at first use and kept: a dialog made afresh for every request
    // leaves a few kilobytes behind in Qt each time, which a long session
    // adds up.
    QInputDialog* prompt_ = nullptr;
    QMessageBox* errorBox_ = nullptr;
    std::optional<int> endedWith_;
};

}  // namespace Brisvane
