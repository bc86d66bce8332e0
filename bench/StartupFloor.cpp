// The floor of the start-up benchmark: an empty Qt Widgets window of the main
// window's size. No program of Qt Widgets can show a window sooner.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.resize(1100, 1000);
    window.show();
    return QApplication::exec();
}
