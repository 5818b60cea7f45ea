#pragma once

class QString;
class QWidget;

// Gives the window the icon theme's picture named `iconName`, where the
// theme has one, once the event loop is idle. Until then (and where the
// theme has none) the window keeps the icon compiled into the program,
// which is the same picture: reading an icon theme's index costs several
// milliseconds, which start-up need not wait for.
void UseThemeIconWhenIdle(QWidget* window, const QString& iconName);
