// The yardstick for the start-up benchmark: the least a Qt 6 program must do to put a
// frameless window of the panel's size on the screen.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("BareWindow"));
    window.setGeometry(100, 100, 259, 334);
    window.show();
    return app.exec();
}
