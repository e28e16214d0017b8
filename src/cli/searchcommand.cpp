#include "commands.h"

#include "cli/clialerts.h"
#include "cli/headlesswindow.h"
#include "cli/stderrprompts.h"
#include "diagnostics/errorreports.h"
#include "foldersession.h"
#include "jsonline.h"
#include "platform/codepage.h"
#include "platform/connection.h"
#include "platform/stopsignals.h"
#include "search/hostport.h"
#include "search/localconnection.h"
#include "search/searchrun.h"
#include "search/searchservice.h"
#include "search/searchstate.h"
#include "views/resultrows.h"

#include <QCoreApplication>
#include <QFile>
#include <QSslCertificate>
#include <QTextStream>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// What the command line asked for. In a program folder, what it leaves out comes from the
// settings file; otherwise from the defaults below.
struct SearchOptions
{
    QString domain;
    std::optional<QString> keywords; // the keyword box's text
    std::optional<QString> depth;
    bool stopafterhit = false;
    bool api = false;
    bool proxyuser = false;
    // Each settings flag, applied in the order given over what was loaded.
    QList<std::function<void(Settings &)>> overrides;
};

int searchusage(const QString &problem)
{
    QTextStream(stderr) << "zorvane-cli search: " << problem << "\n" << searchUsageText();
    return 2;
}

// Reads one option with its value (if it takes one) into options; returns an error text, or ""
// when the option was taken.
QString parseoption(const QString &arg, const std::function<bool(QString &)> &value, SearchOptions &options,
                    QStringList &keywords, QString &file)
{
    QString v;
    bool ok = true;
    const auto set = [&](QString Settings::*member) {
        options.overrides.append([member, v](Settings &s) { s.*member = v; });
    };
    if (arg == u"--stop-after-hit") {
        options.stopafterhit = true;
    } else if (arg == u"--api") {
        options.api = true;
        options.overrides.append([](Settings &s) { s.useapi = true; });
    } else if (arg == u"--keyword" && value(v)) {
        keywords << v;
    } else if (arg == u"--domain" && value(options.domain)) {
    } else if (arg == u"--keywords-file" && value(file)) {
    } else if (arg == u"--depth" && value(v)) {
        options.depth = v;
    } else if (arg == u"--api-key" && value(v)) {
        set(&Settings::apikey);
    } else if (arg == u"--engine" && value(v)) {
        v = v.toLower();
        if (!enginenames().contains(v))
            return u"--engine takes one of "_s + enginenames().join(u", "_s);
        set(&Settings::engine);
    } else if (arg == u"--engine-url" && value(v)) {
        set(&Settings::engineurl);
    } else if (arg == u"--engine-key" && value(v)) {
        set(&Settings::enginekey);
    } else if (arg == u"--searchhost" && value(v)) {
        set(&Settings::searchhost);
    } else if (arg == u"--apihost" && value(v)) {
        set(&Settings::apihost);
    } else if (arg == u"--proxy-user" && value(v)) {
        options.proxyuser = true;
        set(&Settings::proxyuser);
    } else if (arg == u"--proxy-pass" && value(v)) {
        set(&Settings::proxypass);
    } else if (arg == u"--proxy" && value(v)) {
        const HostPort proxy = splithost(v);
        if (proxy.host.isEmpty() || proxy.port.toUShort() == 0)
            return u"--proxy takes HOST:PORT"_s;
        options.overrides.append([proxy](Settings &s) {
            s.useproxy = true;
            s.proxyserver = proxy.host;
            s.proxyport = proxy.port;
        });
    } else if (arg == u"--shuffle") {
        options.overrides.append([](Settings &s) { s.shuffle = true; });
    } else if (arg == u"--cafile" && value(v)) {
        if (QSslCertificate::fromPath(v, QSsl::Pem).isEmpty())
            return u"--cafile: no certificate could be read from \""_s + v + u'"';
        set(&Settings::cafile);
    } else if (arg == u"--request-delay" && value(v)) {
        const int n = v.toInt(&ok);
        if (!ok || n < 0 || n > 32767)
            return u"--request-delay takes a number of milliseconds from 0 to 32767"_s;
        options.overrides.append([n](Settings &s) { s.requestdelay = n; });
    } else if (arg == u"--max-retries" && value(v)) {
        const int n = v.toInt(&ok);
        if (!ok || n < 0 || n > 32767)
            return u"--max-retries takes a number from 0 (no limit) to 32767"_s;
        options.overrides.append([n](Settings &s) { s.maxretries = n; });
    } else if (arg == u"--connections" && value(v)) {
        const int n = v.toInt(&ok);
        if (!ok || n < 1 || n > 1000)
            return u"--connections takes a number from 1 to 1000"_s;
        options.overrides.append([n](Settings &s) { s.maxconnections = n; });
    } else if (arg == u"--timeout" && value(v)) {
        const int n = v.toInt(&ok);
        if (!ok || n < 1 || n > 32767)
            return u"--timeout takes a number of seconds from 1 to 32767"_s;
        options.overrides.append([n](Settings &s) { s.inettimeout = n; });
    } else {
        return u"unknown argument \""_s + arg + u'"';
    }
    return {};
}

// Returns an error text, or "" when the options are complete. In a program folder the domain
// may be given without --domain, and the keywords may come from the settings file.
QString parseoptions(const QStringList &args, SearchOptions &options, bool fromfolder)
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
        if (fromfolder && !arg.startsWith(u"--") && options.domain.isEmpty()) {
            options.domain = arg;
            continue;
        }
        const QString problem = parseoption(arg, value, options, keywords, file);
        if (!problem.isEmpty()) {
            // Last on the line, a known option lacks its value; an unknown one stays unknown.
            const auto anyvalue = [](QString &target) {
                target = u"1"_s;
                return true;
            };
            SearchOptions probe;
            if (arg.startsWith(u"--") && i + 1 >= args.size() && problem.startsWith(u"unknown") &&
                !parseoption(arg, anyvalue, probe, keywords, file).startsWith(u"unknown"))
                return u"missing value for "_s + arg;
            return problem;
        }
    }
    if (options.domain.isEmpty() && !fromfolder)
        return u"--domain is missing"_s;
    if (!file.isEmpty() && !keywords.isEmpty())
        return u"give either --keywords-file or --keyword"_s;
    if (file.isEmpty() && keywords.isEmpty() && !fromfolder)
        return u"give either --keywords-file or --keyword"_s;
    if (!file.isEmpty()) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            return u"cannot read \""_s + file + u"\": "_s + in.errorString();
        // A text file's lines end in LF or CR LF; the keyword box wants CR LF.
        options.keywords = codepage::toText(in.readAll()).replace(u"\r\n"_s, u"\n"_s).replace(u'\n', u"\r\n"_s);
    } else if (!keywords.isEmpty()) {
        options.keywords = keywords.join(u"\r\n"_s);
    }
    return {};
}

// Applies the command line's settings over the loaded ones; returns an error text, or "".
QString applysettings(const SearchOptions &options, Settings &settings)
{
    for (const auto &apply : options.overrides)
        apply(settings);
    if (options.api && settings.apikey.isEmpty())
        return u"--api needs --api-key"_s;
    const QString engine = enginename(settings);
    if (engine == engines::searxng || engine == engines::serpapi) {
        const QString problem = parseengineurl(settings.engineurl).problem;
        if (!problem.isEmpty())
            return u"--engine "_s + engine + u" needs --engine-url URL ("_s + problem + u')';
        if (engine == engines::serpapi && settings.enginekey.isEmpty())
            return u"--engine serpapi needs --engine-key"_s;
    }
    if (settings.proxyuser.isEmpty() && !settings.proxypass.isEmpty())
        return u"--proxy-pass needs --proxy-user"_s;
    if (options.proxyuser && !settings.useproxy)
        return u"--proxy-user needs --proxy"_s;
    return {};
}

void printresults(SearchState &state)
{
    QFile out;
    const int d = findsession(state);
    if (d == 0 || !out.open(stdout, QIODevice::WriteOnly))
        return;
    resultrows::copyactions(state, d);
    for (const KeywordResult &keyword : state.urldata[d].keys) {
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
        line.add(u"key", keyword.key).add(u"action", keyword.action);
        line.addRaw(u"positions", u'[' + positions.join(u',') + u']').add(u"urls", urls).add(u"titles", titles);
        out.write(line.text().toUtf8() + '\n');
    }
    out.flush();
}

// Presses SEARCH and runs the event loop until the run ends; a request to end from outside
// (Ctrl-C, SIGTERM, SIGHUP) presses STOP. False when the search did not start (a precondition
// failed and its message was printed). stopsignal is the request that stopped it, 0 for none.
bool searchandwait(SearchRun &run, SearchState &state, int &stopsignal)
{
    stopsignal = 0;
    StopSignals fromoutside;
    QObject::connect(&fromoutside, &StopSignals::received, &run, [&](int signal) {
        stopsignal = signal;
        if (state.searching)
            run.Dostop_Click();
    });
    QObject::connect(&run, &SearchRun::searchEnded, &run, [] { QCoreApplication::exit(0); });
    run.mnusearch_Click();
    // Every failure the error trap catches during the run is told as it happens, not only
    // counted; a start that failed is named by printtrapped.
    QObject::connect(&errorreports::notifier(), &errorreports::Notifier::raised, &run, [] {
        QTextStream(stderr) << QString(errorreports::lastreport()).replace(u"\r\n"_s, u"\n"_s);
    });
    if (state.searching)
        QCoreApplication::exec();
    return !state.resulttime.isEmpty();
}

// A failure that kept the search from starting is named, not only counted in the exit status:
// the plain reason where one is known, else the error trap's line (its trace is for a report).
void printtrapped(const SearchState &state, bool listfull)
{
    const QString lead = u"zorvane-cli search: the search did not start: "_s;
    if (listfull && findsession(state) == 0) {
        QTextStream(stderr) << lead << "the domain list is full (" << state.urldata.ubound()
                            << " domains, the most it can hold), so " << state.txturl << " cannot be added\n";
        return;
    }
    for (const QString &line : errorreports::errortext().split(u"\r\n"_s)) {
        if (line.startsWith(u"Error trapped: "_s))
            QTextStream(stderr) << lead << line.sliced(15) << '\n';
    }
}

} // namespace

QString searchUsageText()
{
    return u"usage: zorvane-cli search --domain D (--keywords-file F | --keyword K ...) [--depth N]\n"
           "          [--stop-after-hit] [--api --api-key K] [--searchhost H[:P]] [--apihost H[:P]]\n"
           "          [--proxy H:P [--proxy-user U --proxy-pass P]] [--connections N] [--timeout S]\n"
           "          [--engine html|soap|searxng|serpapi] [--engine-url URL] [--engine-key K]\n"
           "          searxng and serpapi ask the JSON service at URL (http:// or https://, e.g.\n"
           "          http://127.0.0.1:8888); a keyword the service refuses ends \"blocked (...)\"\n"
           "          [--cafile PEM] [--max-retries N] [--request-delay MS] [--shuffle]\n"
           "          a host written https://H[:P] is reached over TLS; --cafile adds trusted CAs\n"
           "          F holds one keyword a line; a line ends in LF or CR LF, empty lines are skipped\n"
           "       zorvane-cli --dir DIR search [DOMAIN] [the options above]\n"
           "          searches DOMAIN (default: the selected one) with its stored keywords and\n"
           "          settings, and stores the results in DIR's settings file\n"_s;
}

// Runs one search over the network with the same engine as the window: message-box lines go
// to standard error as they happen, one JSON object per keyword to standard output at the end.
// Ctrl-C, SIGTERM and SIGHUP stop the run as the STOP button does; what was found is still
// printed and, in a program folder, stored.
int runSearch(const QStringList &args, bool fromfolder)
{
    SearchOptions options;
    QString problem = parseoptions(args, options, fromfolder);
    if (!problem.isEmpty())
        return searchusage(problem);

    SearchState state;
    HeadlessWindow window(state, [](const QString &line) { QTextStream(stderr) << line << '\n'; });
    StderrPrompts prompts;
    SystemConnection system;
    LocalConnection connection(system, state.settings);
    SearchRun run(state, window, prompts, connection);
    CliAlerts alerts(state, run);
    // The page depth box starts at "1", as the window's does.
    window.setPagedepthText(u"1"_s);
    std::optional<FolderSession> folder;
    if (fromfolder) {
        folder.emplace(state);
        problem = folder->problem();
        if (!problem.isEmpty()) {
            QTextStream(stderr) << "zorvane-cli search: " << problem << '\n';
            return 1;
        }
        folder->load(window);
        if (!options.domain.isEmpty())
            window.setTxturlsText(options.domain);
        run.domains().txturls_Click(); // the domain's stored keywords, depth and check boxes
    } else {
        window.setTxturlsText(options.domain);
    }
    problem = applysettings(options, state.settings);
    if (!problem.isEmpty())
        return searchusage(problem);
    if (folder)
        folder->beginrun();
    if (options.keywords)
        window.setTxtkeysText(*options.keywords);
    if (options.depth)
        window.setPagedepthText(*options.depth);
    if (options.stopafterhit)
        window.setChkstopafterhit(true);

    int stopsignal = 0;
    const bool listfull = state.urldata.ubound() == std::numeric_limits<std::int16_t>::max();
    if (!searchandwait(run, state, stopsignal)) {
        printtrapped(state, listfull);
        return 1;
    }
    printresults(state);
    alerts.waitall();
    if (folder && !folder->store())
        return 1;
    // Stopped from outside: the shell's status of a program ended by that signal.
    return stopsignal != 0 ? 128 + stopsignal : 0;
}
