#include "appstate.h"
#include "mainwindow.h"
#include "platform/product.h"
#include "platform/programfolder.h"
#include "platform/stopsignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
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
    // The installed menu entry and icon; the desktop ties the windows to them by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("zorvane"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("zorvane")));
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
    // The program ends with its shut-down, not when its last window goes: with the window
    // hidden behind the tray icon, a closing message box is the last window.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &MainWindow::unloaded, &app, &QCoreApplication::quit);
    // Ended from outside (kill, Ctrl-C, the terminal gone, the session ending): as closing the
    // window ends it, so the settings file and the log's end line are written.
    StopSignals fromoutside;
    QObject::connect(&fromoutside, &StopSignals::received, &window, &QWidget::close);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window] { window.close(); });
    window.show();
    return QApplication::exec();
}
