#include "appstate.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    AppState state;
    MainWindow window(state);
    window.show();
    return QApplication::exec();
}
