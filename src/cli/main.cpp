#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

int usage()
{
    QTextStream err(stderr);
    err << "usage: zorvane-cli COMMAND [OPTIONS]\n";
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
    return usage();
}
