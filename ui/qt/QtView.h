#pragma once

#include "Brisvanefrm.h"
#include "FormView.h"

#include <QWidget>

#include <memory>

class QInputDialog;
class QMessageBox;

namespace Ui {
class Brisvanefrm;
}

namespace Brisvane {

// The form's window in Qt Widgets, laid out by Brisvanefrm.ui. It only
// shows: the form decides.
class QtView final : public QWidget, public FormView {
    Q_OBJECT

public:
    explicit QtView(QWidget* parent = nullptr);
    ~QtView() override;

    // Hands every click of "convert" to `form` through the event dispatch;
    // an error that leaves it ends the program.
    void Connect(Brisvanefrm& form);

    void SetText(TextBox box, const std::string& text) override;
    void Show() override;
    std::string Prompt(const std::string& title, const std::string& message) override;
    void ShowError(const std::string& title, const std::string& message) override;
    void ReportUnhandledError(const UnhandledErrorReport& report) override;

private:
    std::unique_ptr<Ui::Brisvanefrm> ui;
    // Made at first use and kept: a dialog made afresh for every request
    // leaves a few kilobytes behind in Qt each time, which a long session
    // adds up.
    QInputDialog* prompt = nullptr;
    QMessageBox* errorBox = nullptr;
};

}  // namespace Brisvane
