#include "Brisvanefrm.h"

#include "ui_Brisvanefrm.h"

#include "DateText.h"
#include "Epoch2Date.h"
#include "EpochText.h"
#include "Error.h"
#include "EventDispatch.h"
#include "NumberText.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>

#include <chrono>

namespace {

// Writes a whole text into a box and shows its beginning: a line edit
// otherwise scrolls to the cursor, which setText leaves at the end.
void SetText(QLineEdit* box, const std::string& text)
{
    box->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    box->setCursorPosition(0);
}

}  // namespace

Brisvanefrm::Brisvanefrm(const Brisvane::ZoneSource& zoneSource, const Brisvane::RegionalFormat& format,
                         std::string commandLine, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::Brisvanefrm>()), zoneSource(zoneSource), format(format),
      commandLine(std::move(commandLine))
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, [this] {
        if (!RunEventHandler(this, [this] { Command1_Click(); }))
            QCoreApplication::exit(1);
    });
}

Brisvanefrm::~Brisvanefrm() = default;

void Brisvanefrm::Form_Load()
{
    OffsetSecs = GetZoneOffset().value_or(0);
    show();
    if (!commandLine.empty()) {
        CmdText = commandLine;
        EpochValue = Brisvane::ParseEpochStrict(CmdText, format.DecimalSeparator());
        SetText(ui->EpochDate, Brisvane::EpochText(EpochValue));
    }
    NewDate();
}

void Brisvanefrm::NewDate()
{
    if (CmdText.empty()) {
        const QString answer = AskForEpoch();
        try {
            EpochValue = Brisvane::ParseEpochLeading(answer.toStdString());
        } catch (const Brisvane::Error&) {
            // A value past the 32-bit range (a millisecond timestamp, say) is
            // a mistyped answer like any other: say so and keep the window.
            ShowInvalidEpoch();
            return;
        }
        SetText(ui->EpochDate, Brisvane::EpochText(EpochValue));
    }
    CmdText.clear();

    if (EpochValue < 1) {
        ShowInvalidEpoch();
        return;
    }
    SetText(ui->LocalDate, Brisvane::DateText(Epoch2Date(Brisvane::Currency::Widen(EpochValue)), format));
}

Brisvane::SerialDate Brisvanefrm::Epoch2Date(Brisvane::Currency EpochTime) const
{
    return Brisvane::Epoch2Date(EpochTime, OffsetSecs);
}

void Brisvanefrm::Command1_Click()
{
    NewDate();
}

std::optional<std::int32_t> Brisvanefrm::GetZoneOffset()
{
    const Brisvane::ZoneOffset offset =
        Brisvane::ComputeZoneOffset(zoneSource.Query(std::chrono::system_clock::now()));
    if (offset.Hours)
        SetText(ui->Zone, Brisvane::NumberText(*offset.Hours, format.DecimalSeparator()));
    return offset.Seconds;
}

QString Brisvanefrm::AskForEpoch()
{
    if (prompt == nullptr) {
        prompt = new QInputDialog(this);
        prompt->setWindowTitle(QStringLiteral("Epoch to Local Date"));
        prompt->setLabelText(QStringLiteral("Enter Epoch date (Unix timestamp):"));
    }
    prompt->setTextValue(QString());
    // Cancel gives an empty text, which reads as 0 and is rejected.
    return prompt->exec() == QDialog::Accepted ? prompt->textValue() : QString();
}

void Brisvanefrm::ShowInvalidEpoch()
{
    if (invalidEpochBox == nullptr)
        invalidEpochBox = new QMessageBox(QMessageBox::Critical, QStringLiteral("Error"),
                                          QStringLiteral("Invalid Epoch date entered."), QMessageBox::Ok, this);
    invalidEpochBox->exec();
}
