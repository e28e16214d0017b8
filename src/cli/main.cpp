#include "commands.h"

#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

int usage()
{
    QTextStream(stderr) << "usage: zorvane-cli [--dir DIR] COMMAND [OPTIONS]\n"
                           "  --dir DIR: use DIR as the program's folder (settings file, logs)\n"
                           "commands:\n"
                           "  parse [--soap] FILE\n"
                           "  request [--soap] --host HOST [--server SERVER] --key KEYWORD [--page N]\n"
                           "          [--useproxy --proxy-user U --proxy-pass P] [--api-key K]\n"
                        << "  " << searchUsageText().sliced(QStringLiteral("usage: zorvane-cli ").size()) << "  "
                        << historyUsageText().sliced(QStringLiteral("usage: zorvane-cli ").size())
                        << analysisUsageText() << reportUsageText();
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Zorvane"_s);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool fromfolder = !args.isEmpty() && args.first() == u"--dir";
    if (fromfolder) {
        if (args.size() < 2) {
            QTextStream(stderr) << "zorvane-cli: --dir needs a folder\n";
            return 2;
        }
        const QString problem = programfolder::problem(args[1]);
        if (!problem.isEmpty()) {
            QTextStream(stderr) << "zorvane-cli: --dir: " << problem << '\n';
            return 2;
        }
        programfolder::setPath(QDir(args[1]).absolutePath());
        args = args.mid(2);
    }
    if (args.isEmpty())
        return usage();
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (command == u"parse")
        return runParse(rest);
    if (command == u"request")
        return runRequest(rest);
    if (command == u"search")
        return runSearch(rest, fromfolder);
    if (command == u"history")
        return runHistory(rest, fromfolder);
    if (command == u"analysis")
        return runAnalysis(rest);
    if (command == u"detail")
        return runDetail(rest);
    if (command == u"report")
        return runReport(rest);
    QTextStream(stderr) << "zorvane-cli: unknown command \"" << command << "\"\n";
    return usage();
}
