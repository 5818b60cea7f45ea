// The yardstick for start-up: the least a Qt Widgets program can be, one
// window holding one line edit with a number in it.

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(309, 89);
    QLineEdit edit(&window);
    edit.setGeometry(80, 8, 145, 19);
    edit.setText(QStringLiteral("1600000000"));
    window.show();
    return app.exec();
}
