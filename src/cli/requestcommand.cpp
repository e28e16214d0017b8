#include "cliparser.h"
#include "commands.h"

#include "cli/secrets.h"
#include "diagnostics/errorreports.h"
#include "platform/codepage.h"
#include "search/requests.h"
#include "search/settings.h"

#include <QTextStream>

#include <cstdio>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

struct RequestOptions
{
    bool soap = false;
    QString server;
    QString host;
    QString key;
    Int16 page;
    Settings settings;
};

int badArguments(const QString &message)
{
    QTextStream(stderr) << "zorvane-cli request: " << message << '\n';
    return 2;
}

// A page number the 16-bit page counter can hold.
const NumberOption PageOption{u"--page"_s, 0, 32767, u"a page number"_s};

// Fills options from the arguments; returns an error message when they are unusable.
QString readOptions(const QStringList &args, RequestOptions &options)
{
    QCommandLineParser parser;
    const QCommandLineOption soap(u"soap"_s);
    const QCommandLineOption host(u"host"_s, {}, u"HOST"_s);
    const QCommandLineOption server(u"server"_s, {}, u"SERVER"_s);
    const QCommandLineOption key(u"key"_s, {}, u"KEYWORD"_s);
    const QCommandLineOption page(u"page"_s, {}, u"N"_s, u"0"_s);
    const QCommandLineOption useproxy(u"useproxy"_s);
    const QCommandLineOption proxyuser(u"proxy-user"_s, {}, u"U"_s);
    const QCommandLineOption proxypass(u"proxy-pass"_s, {}, u"P"_s);
    const QCommandLineOption apikey(u"api-key"_s, {}, u"K"_s);
    const QCommandLineOption proxypassfile(u"proxy-pass-file"_s, {}, u"F"_s);
    const QCommandLineOption apikeyfile(u"api-key-file"_s, {}, u"F"_s);
    QString problem = readarguments(
        parser, args,
        {soap, host, server, key, page, useproxy, proxyuser, proxypass, apikey, proxypassfile, apikeyfile});
    if (!problem.isEmpty())
        return problem;
    if (!parser.isSet(host) || parser.value(host).isEmpty())
        return u"--host HOST is required"_s;
    if (!parser.isSet(key))
        return u"--key KEYWORD is required"_s;
    const std::optional<int> pageValue = wholenumber(PageOption, parser.value(page), problem);
    if (!pageValue)
        return problem;
    options.soap = parser.isSet(soap);
    options.host = parser.value(host);
    options.server = parser.isSet(server) ? parser.value(server) : options.host;
    options.key = parser.value(key);
    options.page = *pageValue;
    options.settings.useproxy = parser.isSet(useproxy);
    options.settings.proxyuser = parser.value(proxyuser);
    secrets::fromenvironment(options.settings);
    const auto given = [&](const QCommandLineOption &option) {
        return parser.isSet(option) ? std::optional(parser.value(option)) : std::nullopt;
    };
    for (const auto &[secret, value, file] : {std::tuple(u"--proxy-pass"_s, &proxypass, &proxypassfile),
                                              std::tuple(u"--api-key"_s, &apikey, &apikeyfile)}) {
        std::optional<QString> resolved;
        const QString problem = secrets::resolve(*secrets::find(secret), given(*value), given(*file), resolved);
        if (!problem.isEmpty())
            return problem;
        if (resolved)
            options.settings.*secrets::find(secret)->member = *resolved;
    }
    return {};
}

} // namespace

// Prints the request text of one page exactly as it would go on the wire.
int runRequest(const QStringList &args)
{
    RequestOptions options;
    const QString error = readOptions(args, options);
    if (!error.isEmpty())
        return badArguments(error);
    const QString text = options.soap
                             ? getgoogleapi(options.settings, options.server, options.host, options.key, options.page)
                             : getgoogle(options.settings, options.server, options.host, options.key, options.page);
    if (!errorreports::errortext().isEmpty()) {
        QTextStream(stderr) << errorreports::errortext();
        return 1;
    }
    const QByteArray bytes = codepage::toBytes(text);
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) ||
        std::fflush(stdout) != 0) {
        QTextStream(stderr) << "zorvane-cli request: cannot write to standard output\n";
        return 1;
    }
    return 0;
}
