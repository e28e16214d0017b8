#include "mainwindow.h"

using namespace Qt::Literals::StringLiterals;

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(u"Zorvane"_s);
    resize(800, 600);
}
