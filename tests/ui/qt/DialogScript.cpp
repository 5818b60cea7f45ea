#include "DialogScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

DialogScript::DialogScript(std::vector<Step> steps) : steps_(std::move(steps))
{
    connect(&timer_, &QTimer::timeout, this, &DialogScript::Poll);
    timer_.start(5);
}

void DialogScript::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == current_ || !modal->isVisible())
        return;
    current_ = modal;

    SeenDialog seen;
    seen.title = modal->windowTitle();
    seen.size = modal->size();
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
        seen.kind = QStringLiteral("input");
        seen.text = input->labelText();
        seen.answer = input->textValue();
        for (QAbstractButton* button : input->findChildren<QDialogButtonBox*>().value(0)->buttons())
            seen.buttons << button->text().remove('&');
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.kind = QStringLiteral("message");
        seen.text = box->text();
        seen.icon = box->icon();
        seen.plainText = box->textFormat() == Qt::PlainText;
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text().remove('&');
    }
    seen_.push_back(seen);

    const std::size_t index = seen_.size() - 1;
    if (index < steps_.size()) {
        steps_[index](modal);
    } else {
        ++unanswered_;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
    }
    // A dialog that is made once and shown again is a new dialog to answer.
    if (current_ && !current_->isVisible())
        current_ = nullptr;
}

DialogScript::Step DialogScript::Answer(const QString& text)
{
    return [text](QWidget* widget) {
        auto* input = qobject_cast<QInputDialog*>(widget);
        if (!input)
            return qobject_cast<QDialog*>(widget)->reject();
        input->setTextValue(text);
        input->accept();
    };
}

DialogScript::Step DialogScript::Cancel()
{
    return [](QWidget* widget) { qobject_cast<QDialog*>(widget)->reject(); };
}

DialogScript::Step DialogScript::Ok()
{
    return [](QWidget* widget) {
        if (auto* box = qobject_cast<QMessageBox*>(widget))
            return box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->reject();
        qobject_cast<QDialog*>(widget)->reject();
    };
}
