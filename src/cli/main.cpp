#include "commands.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

int usage()
{
    QTextStream(stderr) << "usage: zorvane-cli COMMAND [OPTIONS]\n"
                           "commands:\n"
                           "  parse [--soap] FILE\n"
                           "  request [--soap] --host HOST [--server SERVER] --key KEYWORD [--page N]\n"
                           "          [--useproxy --proxy-user U --proxy-pass P] [--api-key K]\n"
                        << "  " << searchUsageText().sliced(QStringLiteral("usage: zorvane-cli ").size());
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Zorvane"_s);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args.first();
    const QStringList rest = args.mid(1);
    if (command == u"parse")
        return runParse(rest);
    if (command == u"request")
        return runRequest(rest);
    if (command == u"search")
        return runSearch(rest);
    QTextStream(stderr) << "zorvane-cli: unknown command \"" << command << "\"\n";
    return usage();
}
