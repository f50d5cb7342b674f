#include "app/mainwindow.h"

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Tavlo串口调试v2.36"));
    resize(727, 536);
}
