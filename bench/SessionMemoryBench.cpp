// Resident memory over a long session, in one process: "convert" clicked
// again and again, each prompt answered with -1 and the error box that
// follows dismissed. Prints the resident size after 10 cycles and after the
// last; a session must not grow with its length.
//
// Usage: session_memory_bench [cycles, default 1000]   (needs a display,
// or QT_QPA_PLATFORM=offscreen)

#include "Program.h"
#include "QtView.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

class UtcZone final : public Brisvane::ZoneSource {
public:
    Brisvane::ZoneAnswer Query(std::chrono::system_clock::time_point) const override
    {
        return {Brisvane::ZoneState::Standard, 0, 0, "UTC"};
    }
};

}  // namespace

int main(int argc, char* argv[])
{
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    QApplication app(argc, argv);
    const UtcZone zone;
    const auto format = Brisvane::NamedRegionalFormat("C");
    Brisvane::Program<Brisvane::QtView> program(zone, *format, "1");
    program.Form.Form_Load();

    // Answers whichever dialog is up once it is on screen and painted, as a
    // user would see it.
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->windowHandle() == nullptr || !modal->windowHandle()->isExposed())
            return;
        if (auto* prompt = qobject_cast<QInputDialog*>(modal)) {
            prompt->setTextValue(QStringLiteral("-1"));
            prompt->accept();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->accept();
        }
    });
    answerer.start(0);

    auto* convert = program.View.findChild<QPushButton*>(QStringLiteral("Command1"));
    long afterTen = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        convert->click();
        if (cycle == 10)
            afterTen = ResidentKiB();
    }
    const long atEnd = ResidentKiB();
    std::printf("resident after 10 cycles: %ld KiB\nresident after %d cycles: %ld KiB\ngrowth: %ld KiB\n", afterTen,
                cycles, atEnd, atEnd - afterTen);
    return 0;
}
