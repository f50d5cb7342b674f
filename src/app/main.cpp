#include "app/mainwindow.h"
#include "app/sharedstate.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SharedState state; // lives until the process ends, beyond every window
    MainWindow window(state);
    window.show();
    return app.exec();
}
