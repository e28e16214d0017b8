#include "appstate.h"
#include "mainwindow.h"
#include "platform/product.h"
#include "platform/programfolder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

#include <cstring>

int main(int argc, char *argv[])
{
    // Answered before the window system starts, so it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        QTextStream(stdout) << product::name() << ' ' << product::version() << '\n';
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(product::name());
    QApplication::setApplicationVersion(product::version());
    QApplication::setStyle(QStringLiteral("Fusion"));
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
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
