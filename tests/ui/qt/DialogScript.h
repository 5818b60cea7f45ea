#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

class QWidget;

// What a modal dialog showed when it came up.
struct SeenDialog {
    QString kind;  // "input" or "message"
    QString title;
    QString text;
    QString answer;  // the input dialog's initial text
    int icon = -1;   // QMessageBox::Icon
    QStringList buttons;
    QSize size;
    bool plainText = false;  // a message box's text is never read as markup
};

// Answers the modal dialogs a piece of code opens, one step per dialog in
// order, and records what each one showed. A dialog with no step left is
// rejected (and recorded) so that a test never hangs on it.
class DialogScript : public QObject {
public:
    using Step = std::function<void(QWidget*)>;

    explicit DialogScript(std::vector<Step> steps);

    static Step Answer(const QString& text);  // type into an input dialog and press OK
    static Step Cancel();                     // press Cancel in an input dialog
    static Step Ok();                         // press OK in a message box

    const std::vector<SeenDialog>& Seen() const { return seen_; }
    std::size_t Unanswered() const { return unanswered_; }

private:
    void Poll();

    std::vector<Step> steps_;
    std::vector<SeenDialog> seen_;
    std::size_t unanswered_ = 0;
    // Guarded: a dialog made after another one closed may get its address.
    QPointer<QWidget> current_;
    QTimer timer_;
};
