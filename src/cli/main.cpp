#include "cliparser.h"
#include "commands.h"

#include "diagnostics/errorreports.h"
#include "platform/product.h"
#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

// The usage lines of a command, indented for the overall usage; "" for an unknown command.
QString commandusage(const QString &command)
{
    if (command == u"parse")
        return u"  zorvane-cli parse [--soap] FILE\n"_s;
    if (command == u"request")
        return u"  zorvane-cli request [--soap] --host HOST [--server SERVER] --key KEYWORD [--page N]\n"
               "          [--useproxy --proxy-user U --proxy-pass P | --proxy-pass-file F]\n"
               "          [--api-key K | --api-key-file F]\n"_s;
    if (command == u"search")
        return u"  "_s + searchUsageText().sliced(QStringLiteral("usage: ").size());
    if (command == u"history")
        return u"  "_s + historyUsageText().sliced(QStringLiteral("usage: ").size());
    if (command == u"analysis" || command == u"detail")
        return u"  "_s + analysisUsageText().sliced(QStringLiteral("usage: ").size());
    if (command == u"report")
        return u"  "_s + reportUsageText().sliced(QStringLiteral("usage: ").size());
    if (command == u"results")
        return u"  "_s + resultsUsageText().sliced(QStringLiteral("usage: ").size());
    if (command == u"schedule")
        return u"  "_s + scheduleUsageText().sliced(QStringLiteral("usage: ").size());
    if (command == u"check-update")
        return u"  "_s + updateUsageText().sliced(QStringLiteral("usage: ").size());
    if (command == u"check-service")
        return u"  "_s + checkServiceUsageText().sliced(QStringLiteral("usage: ").size());
    return {};
}

QString usagetext()
{
    return u"usage: zorvane-cli [--dir DIR] COMMAND [OPTIONS]\n"
           "       zorvane-cli --help | --version\n"
           "  --dir DIR: use DIR as the program's folder (settings file, logs)\n"
           "  COMMAND --help: the usage of one command\n"
           "commands:\n"_s +
           commandusage(u"parse"_s) + commandusage(u"request"_s) + commandusage(u"search"_s) +
           commandusage(u"history"_s) + commandusage(u"analysis"_s) + commandusage(u"report"_s) +
           commandusage(u"results"_s) + commandusage(u"schedule"_s) + commandusage(u"check-update"_s) +
           commandusage(u"check-service"_s);
}

int usage()
{
    QTextStream(stderr) << usagetext();
    return 2;
}

// Every option before the command: --dir, --help, --version. Returns the exit status when the
// arguments are used up, or -1 with args left at the command.
int globaloptions(QStringList &args, bool &fromfolder)
{
    QCommandLineParser parser;
    // What follows the command is the command's own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(u"help"_s), version(u"version"_s), dir(u"dir"_s, {}, u"DIR"_s);
    const QString problem = readarguments(parser, args, {help, version, dir}, -1);
    if (!problem.isEmpty()) {
        QTextStream(stderr) << "zorvane-cli: " << problem << '\n';
        return usage();
    }
    if (parser.isSet(help)) {
        QTextStream(stdout) << usagetext();
        return 0;
    }
    if (parser.isSet(version)) {
        QTextStream(stdout) << product::name() << ' ' << product::version() << '\n';
        return 0;
    }
    if (parser.isSet(dir)) {
        const QString folder = parser.value(dir);
        const QString trouble = programfolder::problem(folder);
        if (!trouble.isEmpty()) {
            QTextStream(stderr) << "zorvane-cli: --dir: " << trouble << '\n';
            return 2;
        }
        programfolder::setPath(QDir(folder).absolutePath());
        fromfolder = true;
    }
    args = parser.positionalArguments();
    return args.isEmpty() ? usage() : -1;
}

int runcommand(const QString &command, const QStringList &rest, bool fromfolder)
{
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
    if (command == u"results")
        return runResults(rest);
    if (command == u"schedule")
        return runSchedule(rest, fromfolder);
    if (command == u"check-service")
        return runCheckService(rest, fromfolder);
    return runCheckUpdate(rest, fromfolder);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = cliapplication(argc, argv);
    QCoreApplication::setApplicationName(product::name());
    QStringList args = QCoreApplication::arguments().mid(1);
    bool fromfolder = false;
    const int status = globaloptions(args, fromfolder);
    if (status >= 0)
        return status;
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (commandusage(command).isEmpty()) {
        QTextStream(stderr) << "zorvane-cli: unknown command \"" << command << "\"\n";
        return usage();
    }
    if (rest.contains(u"--help"_s)) {
        QTextStream(stdout) << "usage:" << commandusage(command).sliced(1);
        return 0;
    }
    // A file that could not be read or written is named as it happens, and the command fails.
    QObject::connect(&errorreports::notifier(), &errorreports::Notifier::fileproblemsaid, app.get(),
                     [](const QString &text) { QTextStream(stderr) << "zorvane-cli: " << text << '\n'; });
    const int result = runcommand(command, rest, fromfolder);
    return result == 0 && errorreports::fileproblemcount() > 0 ? 1 : result;
}
