#include "WindowIcon.h"

#include <QIcon>
#include <QTimer>
#include <QWidget>

void UseThemeIconWhenIdle(QWidget* window, const QString& iconName)
{
    QTimer::singleShot(0, window, [window, iconName] {
        if (QIcon::hasThemeIcon(iconName))
            window->setWindowIcon(QIcon::fromTheme(iconName));
    });
}
