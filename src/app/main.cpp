#include "appstate.h"
#include "mainwindow.h"
#include "platform/programfolder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dir(QStringLiteral("dir"), QStringLiteral("Use DIR as the program's folder."),
                                 QStringLiteral("DIR"));
    parser.addOption(dir);
    parser.process(app);
    if (parser.isSet(dir)) {
        const QString problem = programfolder::problem(parser.value(dir));
        if (!problem.isEmpty()) {
            QTextStream(stderr) << "zorvane: --dir: " << problem << '\n';
            return 2;
        }
        programfolder::setPath(QDir(parser.value(dir)).absolutePath());
    }
    AppState state;
    MainWindow window(state);
    window.show();
    return QApplication::exec();
}
