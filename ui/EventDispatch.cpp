#include "EventDispatch.h"

#include "Error.h"

#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <string>

void ReportUnhandledError(QWidget* window, const std::exception& error)
{
    QString kind = QStringLiteral("Unexpected error");
    std::string detail = error.what();
    if (const auto* known = dynamic_cast<const Brisvane::Error*>(&error)) {
        kind = QString::fromUtf8(Brisvane::ErrorKindName(known->Kind()));
        detail = known->Detail();
    }

    std::fprintf(stderr, "brisvane: %s: %s\n", kind.toUtf8().constData(), detail.c_str());
    std::fflush(stderr);

    QMessageBox box(QMessageBox::Critical, kind, kind + QStringLiteral(": ") + QString::fromStdString(detail) + '.',
                    QMessageBox::Ok, window);
    // The detail quotes what the user typed: never let it be read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(QStringLiteral("Brisvane will close."));
    box.exec();
}
