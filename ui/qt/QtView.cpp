#include "QtView.h"

#include "ui_Brisvanefrm.h"

#include "EventDispatch.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace Brisvane {
namespace {

QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtView::QtView(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::Brisvanefrm>())
{
    ui->setupUi(this);
}

QtView::~QtView() = default;

void QtView::Connect(Brisvanefrm& form)
{
    connect(ui->Command1, &QPushButton::clicked, this, [this, &form] {
        if (!RunEventHandler(*this, [&form] { form.Command1_Click(); }))
            QCoreApplication::exit(UnhandledErrorExitStatus);
    });
}

void QtView::SetText(TextBox box, const std::string& text)
{
    QLineEdit* edit = box == TextBox::EpochDate ? ui->EpochDate : box == TextBox::LocalDate ? ui->LocalDate : ui->Zone;
    edit->setText(ToQString(text));
    // setText leaves the cursor at the end, and a line edit scrolls to it:
    // a text wider than its box would show its end.
    edit->setCursorPosition(0);
}

void QtView::Show()
{
    show();
}

std::string QtView::Prompt(const std::string& title, const std::string& message)
{
    if (prompt == nullptr)
        prompt = new QInputDialog(this);
    prompt->setWindowTitle(ToQString(title));
    prompt->setLabelText(ToQString(message));
    prompt->setTextValue(QString());
    return prompt->exec() == QDialog::Accepted ? prompt->textValue().toStdString() : std::string();
}

void QtView::ShowError(const std::string& title, const std::string& message)
{
    if (errorBox == nullptr) {
        errorBox = new QMessageBox(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok, this);
        errorBox->setTextFormat(Qt::PlainText);
    }
    errorBox->setWindowTitle(ToQString(title));
    errorBox->setText(ToQString(message));
    errorBox->exec();
}

void QtView::ReportUnhandledError(const UnhandledErrorReport& report)
{
    QMessageBox box(QMessageBox::Critical, ToQString(report.Title), ToQString(report.Message), QMessageBox::Ok, this);
    // The message quotes what the user typed: never let it be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(ToQString(report.Consequence));
    box.exec();
}

}  // namespace Brisvane
