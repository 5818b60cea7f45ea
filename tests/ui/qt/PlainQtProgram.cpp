// A plain Qt program: it makes its application object and ends at once.
// What Qt writes meanwhile is what the program must pass on, in that order
// (EndToEndTest.py).

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[])
{
    const QApplication application(argc, argv);
    // Before anything else of Qt's can speak.
    std::_Exit(0);
}
