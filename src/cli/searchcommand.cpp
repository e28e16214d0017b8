#include "commands.h"

#include "app/appstate.h"
#include "app/headlesswindow.h"
#include "jsonline.h"
#include "platform/codepage.h"
#include "platform/connection.h"
#include "platform/prompts.h"
#include "search/searchrun.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct SearchOptions
{
    QString domain;
    QString keywords; // the keyword box's text
    QString depth = u"1"_s;
    bool stopafterhit = false;
    Settings settings;
};

int searchusage(const QString &problem)
{
    QTextStream(stderr) << "zorvane-cli search: " << problem << "\n" << searchUsageText();
    return 2;
}

// Message boxes on the command line: printed, never waiting. The only question a fresh
// command-line run can meet is whether to add its own domain, which it was asked to search.
class StderrPrompts final : public Prompts
{
public:
    void message(const QString &text) override { QTextStream(stderr) << text << '\n'; }
    Answer question(const QString &text) override
    {
        QTextStream(stderr) << text << " Yes\n";
        return Answer::Yes;
    }
};

// The keyword box holds "\r\n" line ends; a file written with bare line feeds gets them too.
QString keywordboxtext(const QByteArray &bytes)
{
    QString text = codepage::toText(bytes);
    text.replace(u"\r\n"_s, u"\n"_s).replace(u'\n', u"\r\n"_s);
    return text;
}

// Returns an error text, or "" when the options are complete.
QString parseoptions(const QStringList &args, SearchOptions &options)
{
    QStringList keywords;
    QString file;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const auto value = [&](QString &target) {
            if (i + 1 >= args.size())
                return false;
            target = args[++i];
            return true;
        };
        QString v;
        bool ok = true;
        if (arg == u"--stop-after-hit") {
            options.stopafterhit = true;
        } else if (arg == u"--api") {
            options.settings.useapi = true;
        } else if (arg == u"--keyword" && value(v)) {
            keywords << v;
        } else if (arg == u"--domain" && value(options.domain)) {
        } else if (arg == u"--keywords-file" && value(file)) {
        } else if (arg == u"--depth" && value(options.depth)) {
        } else if (arg == u"--api-key" && value(options.settings.apikey)) {
        } else if (arg == u"--searchhost" && value(options.settings.searchhost)) {
        } else if (arg == u"--apihost" && value(options.settings.apihost)) {
        } else if (arg == u"--proxy-user" && value(options.settings.proxyuser)) {
        } else if (arg == u"--proxy-pass" && value(options.settings.proxypass)) {
        } else if (arg == u"--proxy" && value(v)) {
            const qsizetype colon = v.lastIndexOf(u':');
            if (colon <= 0 || v.sliced(colon + 1).toUShort() == 0)
                return u"--proxy takes HOST:PORT"_s;
            options.settings.useproxy = true;
            options.settings.proxyserver = v.left(colon);
            options.settings.proxyport = v.sliced(colon + 1);
        } else if (arg == u"--connections" && value(v)) {
            const int n = v.toInt(&ok);
            if (!ok || n < 1 || n > 1000)
                return u"--connections takes a number from 1 to 1000"_s;
            options.settings.maxconnections = n;
        } else if (arg == u"--timeout" && value(v)) {
            const int n = v.toInt(&ok);
            if (!ok || n < 1 || n > 32767)
                return u"--timeout takes a number of seconds from 1 to 32767"_s;
            options.settings.inettimeout = n;
        } else {
            if (arg.startsWith(u"--") && i + 1 >= args.size())
                return u"missing value for "_s + arg;
            return u"unknown argument \""_s + arg + u'"';
        }
    }
    if (options.domain.isEmpty())
        return u"--domain is missing"_s;
    if (file.isEmpty() == keywords.isEmpty())
        return u"give either --keywords-file or --keyword"_s;
    if (options.settings.useapi && options.settings.apikey.isEmpty())
        return u"--api needs --api-key"_s;
    if (options.settings.proxyuser.isEmpty() && !options.settings.proxypass.isEmpty())
        return u"--proxy-pass needs --proxy-user"_s;
    if (!options.settings.proxyuser.isEmpty() && !options.settings.useproxy)
        return u"--proxy-user needs --proxy"_s;
    if (!file.isEmpty()) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            return u"cannot read \""_s + file + u"\": "_s + in.errorString();
        options.keywords = keywordboxtext(in.readAll());
    } else {
        options.keywords = keywords.join(u"\r\n"_s);
    }
    return {};
}

void printresults(const AppState &state)
{
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return;
    int d = 1;
    while (d <= state.urldata.ubound() && state.urldata[d].url != state.txturl)
        ++d;
    if (d > state.urldata.ubound())
        return;
    for (const KeywordResult &keyword : state.urldata[d].keys) {
        QString action;
        for (const FetchJob &job : state.jobs) {
            if (job.key == keyword.key)
                action = job.status;
        }
        QStringList positions;
        for (const SearchHit &hit : keyword.positions) {
            positions << JsonLine()
                             .add(u"position", int(hit.position))
                             .add(u"url", hit.url)
                             .add(u"title", hit.title)
                             .add(u"abstract", hit.abstract)
                             .text();
        }
        QStringList urls(keyword.urls.begin(), keyword.urls.end());
        QStringList titles(keyword.titles.begin(), keyword.titles.end());
        JsonLine line;
        line.add(u"key", keyword.key).add(u"action", action);
        line.addRaw(u"positions", u'[' + positions.join(u',') + u']').add(u"urls", urls).add(u"titles", titles);
        out.write(line.text().toUtf8() + '\n');
    }
    out.flush();
}

int s_interruptpipe[2] = {-1, -1};

void oninterrupt(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(s_interruptpipe[1], &byte, 1);
}

} // namespace

QString searchUsageText()
{
    return u"usage: zorvane-cli search --domain D (--keywords-file F | --keyword K ...) [--depth N]\n"
           "          [--stop-after-hit] [--api --api-key K] [--searchhost H[:P]] [--apihost H[:P]]\n"
           "          [--proxy H:P [--proxy-user U --proxy-pass P]] [--connections N] [--timeout S]\n"_s;
}

// Runs one search over the network with the same engine as the window: message-box lines go
// to standard error as they happen, one JSON object per keyword to standard output at the end.
// Ctrl-C stops the run as the STOP button does and still prints what was found.
int runSearch(const QStringList &args)
{
    SearchOptions options;
    const QString problem = parseoptions(args, options);
    if (!problem.isEmpty())
        return searchusage(problem);

    AppState state;
    state.settings = options.settings;
    HeadlessWindow window(state, [](const QString &line) { QTextStream(stderr) << line << '\n'; });
    window.setTxturlsText(options.domain);
    window.setTxtkeysText(options.keywords);
    window.setPagedepthText(options.depth);
    window.setChkstopafterhit(options.stopafterhit);
    StderrPrompts prompts;
    SystemConnection connection;
    SearchRun run(state, window, prompts, connection);

    bool interrupted = false;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, s_interruptpipe) == 0) {
        auto *notifier = new QSocketNotifier(s_interruptpipe[0], QSocketNotifier::Read, &run);
        QObject::connect(notifier, &QSocketNotifier::activated, &run, [&] {
            char byte;
            [[maybe_unused]] const ssize_t n = ::read(s_interruptpipe[0], &byte, 1);
            interrupted = true;
            if (state.searching)
                run.Dostop_Click();
        });
        struct sigaction action = {};
        action.sa_handler = oninterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGINT, &action, nullptr);
    }
    QObject::connect(&run, &SearchRun::searchEnded, &run, [] { QCoreApplication::exit(0); });
    run.mnusearch_Click();
    if (!state.searching)
        return 1; // a precondition failed; its message was printed
    QCoreApplication::exec();
    ::signal(SIGINT, SIG_DFL);
    printresults(state);
    return interrupted ? 130 : 0;
}
