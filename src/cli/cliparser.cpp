#include "cliparser.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The option's name as the parser knows it: without its dashes and without "=value".
QString optionname(const QString &arg)
{
    QString name = arg.section(u'=', 0, 0);
    while (name.startsWith(u'-'))
        name.remove(0, 1);
    return name;
}

QString unknownargument(const QString &arg)
{
    return u"unknown argument \""_s + arg + u'"';
}

// Why the parser refused args: the first unknown option as typed, or the last argument, a
// valued option that lacks its value.
QString refusal(const QCommandLineParser &parser, const QStringList &args, const QList<QCommandLineOption> &options)
{
    const QStringList unknown = parser.unknownOptionNames();
    for (const QString &arg : args) {
        if (arg == u"--")
            break;
        // "-abc" is read as the short options a, b and c.
        const bool shorts = arg.size() > 1 && arg[0] == u'-' && arg[1] != u'-';
        if (arg.startsWith(u'-') && (unknown.contains(optionname(arg)) || (shorts && unknown.contains(arg.mid(1, 1)))))
            return unknownargument(arg);
    }
    if (!unknown.isEmpty())
        return unknownargument(u'-' + unknown.first());
    // What is left is a valued option last on the line without its value, or a value given to
    // an option that takes none ("--once=1").
    for (const QString &arg : args) {
        for (const QCommandLineOption &option : options) {
            if (!arg.startsWith(u'-') || !option.names().contains(optionname(arg)))
                continue;
            if (option.valueName().isEmpty() && arg.contains(u'='))
                return unknownargument(arg);
            if (!option.valueName().isEmpty() && !arg.contains(u'=') && &arg == &args.last())
                return u"missing value for "_s + arg;
        }
    }
    return parser.errorText();
}

} // namespace

QString readarguments(QCommandLineParser &parser, const QStringList &args, const QList<QCommandLineOption> &options,
                      qsizetype positionals)
{
    parser.addOptions(options);
    if (!parser.parse(QStringList{u"zorvane-cli"_s} + args))
        return refusal(parser, args, options);
    if (positionals >= 0 && parser.positionalArguments().size() > positionals)
        return unknownargument(parser.positionalArguments().at(positionals));
    return {};
}

std::optional<int> wholenumber(const NumberOption &option, const QString &text, QString &problem)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (ok && number >= option.min && number <= option.max)
        return number;
    problem = option.name + u" takes "_s + option.what + u" from "_s + QString::number(option.min) + option.minnote +
              u" to "_s + QString::number(option.max);
    return std::nullopt;
}
