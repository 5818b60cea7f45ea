#pragma once

#include "Currency.h"
#include "RegionalFormat.h"
#include "SerialDate.h"
#include "ZoneSource.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QInputDialog;
class QMessageBox;

namespace Ui {
class Brisvanefrm;
}

// The program's one window: the epoch value, its local date and time, and
// the zone offset in hours. The controls come from Brisvanefrm.ui; the code
// only ever writes the text of the three boxes.
class Brisvanefrm : public QWidget {
    Q_OBJECT

public:
    // `commandLine` is the text after the program's name (empty for none).
    // The zone source and the regional formats are the platform's in the
    // program and fakes in tests.
    Brisvanefrm(const Brisvane::ZoneSource& zoneSource, const Brisvane::RegionalFormat& format, std::string commandLine,
                QWidget* parent = nullptr);
    ~Brisvanefrm() override;

    // Start-up: reads the zone offset, shows the window, takes the command
    // line and runs the first request. Errors (a command line that is not a
    // number or out of range, a zone offset out of range) are raised to the
    // caller, which reports them and ends the program.
    void Form_Load();

    // One conversion request: the command-line value the first time there is
    // one, otherwise a value asked for at the prompt.
    void NewDate();

    Brisvane::SerialDate Epoch2Date(Brisvane::Currency EpochTime) const;

private:
    void Command1_Click();
    std::optional<std::int32_t> GetZoneOffset();
    QString AskForEpoch();
    void ShowInvalidEpoch();

    std::unique_ptr<Ui::Brisvanefrm> ui;
    // Made at first use and kept: a dialog made afresh for every request
    // leaves a few kilobytes behind in Qt each time, which a long session
    // adds up.
    QInputDialog* prompt = nullptr;
    QMessageBox* invalidEpochBox = nullptr;
    const Brisvane::ZoneSource& zoneSource;
    const Brisvane::RegionalFormat& format;
    const std::string commandLine;

    std::int32_t OffsetSecs = 0;
    std::string CmdText;
    std::int32_t EpochValue = 0;
};
