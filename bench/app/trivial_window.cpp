// The baseline of the start-up benchmark: an empty Qt Widgets window of the
// console's size, nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Trivial Qt window"));
    window.setFixedSize(1200, 800);
    window.show();
    return app.exec();
}
