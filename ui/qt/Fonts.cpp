#include "Fonts.h"

#include <QFont>
#include <QStringList>

namespace Brisvane {

void InstallFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial"), QStringLiteral("Sans Serif")});
}

}  // namespace Brisvane
