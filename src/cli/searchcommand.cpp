#include "cliparser.h"
#include "commands.h"

#include "cli/clialerts.h"
#include "cli/headlesswindow.h"
#include "cli/secrets.h"
#include "cli/stderrprompts.h"
#include "diagnostics/errorreports.h"
#include "foldersession.h"
#include "jsonline.h"
#include "platform/codepage.h"
#include "platform/connection.h"
#include "platform/stopsignals.h"
#include "search/boxnumbers.h"
#include "search/competitors.h"
#include "search/hostport.h"
#include "search/localconnection.h"
#include "search/ranking.h"
#include "search/searchrun.h"
#include "search/searchservice.h"
#include "search/searchstate.h"
#include "search/servicecheck.h"
#include "storage/inistore.h"
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
    std::optional<QStringList> competitors; // replaces the domain's stored ones
    bool stopafterhit = false;
    bool api = false;
    bool proxyuser = false;
    // Each secret's value and file as given, keyed by its option; the options of those resolved.
    QHash<QString, QString> secretvalues, secretfiles;
    QStringList secrets;
    // Where and on what: each field given replaces the domain's stored one.
    QList<std::pair<QString SearchLocale::*, QString>> locale;
    // Each settings flag, applied in the order given over what was loaded.
    QList<std::function<void(Settings &)>> overrides;
};

int searchusage(const QString &problem)
{
    QTextStream(stderr) << "zorvane-cli search: " << problem << "\n" << searchUsageText();
    return 2;
}

// The locale field an option names ("--country" names "country"); "" for any other option.
QString localeoption(const QString &arg)
{
    for (const LocaleField &entry : searchlocale::fields()) {
        if (arg == u"--"_s + entry.name)
            return entry.name;
    }
    return {};
}

// The options of the search command; those with a value name take a value.
const QList<QCommandLineOption> &searchoptions()
{
    static const QList<QCommandLineOption> options = {
        QCommandLineOption(u"stop-after-hit"_s),
        QCommandLineOption(u"api"_s),
        QCommandLineOption(u"keyword"_s, {}, u"K"_s),
        QCommandLineOption(u"competitor"_s, {}, u"D"_s),
        QCommandLineOption(u"domain"_s, {}, u"D"_s),
        QCommandLineOption(u"keywords-file"_s, {}, u"F"_s),
        QCommandLineOption(u"depth"_s, {}, u"N"_s),
        QCommandLineOption(u"api-key"_s, {}, u"K"_s),
        QCommandLineOption(u"engine"_s, {}, u"E"_s),
        QCommandLineOption(u"engine-url"_s, {}, u"URL"_s),
        QCommandLineOption(u"engine-key"_s, {}, u"K"_s),
        QCommandLineOption(u"searxng-engines"_s, {}, u"LIST"_s),
        QCommandLineOption(u"api-key-file"_s, {}, u"F"_s),
        QCommandLineOption(u"engine-key-file"_s, {}, u"F"_s),
        QCommandLineOption(u"proxy-pass-file"_s, {}, u"F"_s),
        QCommandLineOption(u"searchhost"_s, {}, u"H"_s),
        QCommandLineOption(u"apihost"_s, {}, u"H"_s),
        QCommandLineOption(u"proxy-user"_s, {}, u"U"_s),
        QCommandLineOption(u"proxy-pass"_s, {}, u"P"_s),
        QCommandLineOption(u"proxy"_s, {}, u"H:P"_s),
        QCommandLineOption(u"shuffle"_s),
        QCommandLineOption(u"cafile"_s, {}, u"PEM"_s),
        QCommandLineOption(u"request-delay"_s, {}, u"MS"_s),
        QCommandLineOption(u"max-retries"_s, {}, u"N"_s),
        QCommandLineOption(u"connections"_s, {}, u"N"_s),
        QCommandLineOption(u"timeout"_s, {}, u"S"_s),
        QCommandLineOption(u"max-reply"_s, {}, u"BYTES"_s),
        QCommandLineOption(u"country"_s, {}, u"CC"_s),
        QCommandLineOption(u"language"_s, {}, u"LL"_s),
        QCommandLineOption(u"device"_s, {}, u"desktop|mobile"_s),
        QCommandLineOption(u"location"_s, {}, u"PLACE"_s),
    };
    return options;
}

const NumberOption RequestDelay{u"--request-delay"_s, 0, 32767, u"a number of milliseconds"_s};
const NumberOption MaxRetries{u"--max-retries"_s, 0, 32767, u"a number"_s, u" (no limit)"_s};
const NumberOption Connections{u"--connections"_s, boxnumbers::connections.min, boxnumbers::connections.max};
const NumberOption Timeout{u"--timeout"_s, boxnumbers::timeout.min, boxnumbers::timeout.max, u"a number of seconds"_s};
const NumberOption MaxReply{u"--max-reply"_s, int(Settings::leastMaxReply), int(Settings::mostMaxReply),
                            u"a number of bytes"_s};

// Takes one option with its value ("" for a switch) into options; returns an error text, or "".
QString takeoption(const QString &arg, QString v, SearchOptions &options, QStringList &keywords, QString &file)
{
    QString problem;
    const auto set = [&](QString Settings::*member) {
        options.overrides.append([member, v](Settings &s) { s.*member = v; });
    };
    const auto number = [&](const NumberOption &rule, Int16 Settings::*member) {
        if (const std::optional<int> n = wholenumber(rule, v, problem))
            options.overrides.append([member, n = *n](Settings &s) { s.*member = n; });
    };
    if (arg == u"--stop-after-hit") {
        options.stopafterhit = true;
    } else if (arg == u"--api") {
        options.api = true;
        options.overrides.append([](Settings &s) { s.useapi = true; });
    } else if (arg == u"--keyword") {
        keywords << v;
    } else if (arg == u"--competitor") {
        options.competitors = options.competitors.value_or(QStringList()) << v;
    } else if (arg == u"--domain") {
        options.domain = v;
    } else if (arg == u"--keywords-file") {
        file = v;
    } else if (arg == u"--depth") {
        if (!readbox(boxnumbers::pagedepth, v))
            return u"--depth takes a number of result pages from 1 to 32767"_s;
        options.depth = v;
    } else if (const secrets::Secret *secret = secrets::find(arg); secret != nullptr) {
        (arg == secret->option ? options.secretvalues : options.secretfiles)[secret->option] = v;
    } else if (arg == u"--engine") {
        v = v.toLower();
        if (!enginenames().contains(v))
            return u"--engine takes one of "_s + enginenames().join(u", "_s);
        set(&Settings::engine);
    } else if (arg == u"--engine-url") {
        set(&Settings::engineurl);
    } else if (arg == u"--searxng-engines") {
        set(&Settings::searxngengines);
    } else if (arg == u"--searchhost") {
        set(&Settings::searchhost);
    } else if (arg == u"--apihost") {
        set(&Settings::apihost);
    } else if (arg == u"--proxy-user") {
        options.proxyuser = true;
        set(&Settings::proxyuser);
    } else if (arg == u"--proxy") {
        const HostPort proxy = splithost(v);
        if (proxy.host.isEmpty() || proxy.port.toUShort() == 0)
            return u"--proxy takes HOST:PORT"_s;
        options.overrides.append([proxy](Settings &s) {
            s.useproxy = true;
            s.proxyserver = proxy.host;
            s.proxyport = proxy.port;
        });
    } else if (const QString field = localeoption(arg); !field.isEmpty()) {
        for (const LocaleField &entry : searchlocale::fields()) {
            if (entry.name != field)
                continue;
            const QString why = searchlocale::fault(entry.member, v);
            if (!why.isEmpty())
                return arg + u" takes "_s + why;
            options.locale.append({entry.member, v});
        }
    } else if (arg == u"--shuffle") {
        options.overrides.append([](Settings &s) { s.shuffle = true; });
    } else if (arg == u"--cafile") {
        if (QSslCertificate::fromPath(v, QSsl::Pem).isEmpty())
            return u"--cafile: no certificate could be read from \""_s + v + u'"';
        set(&Settings::cafile);
    } else if (arg == u"--request-delay") {
        number(RequestDelay, &Settings::requestdelay);
    } else if (arg == u"--max-retries") {
        number(MaxRetries, &Settings::maxretries);
    } else if (arg == u"--connections") {
        number(Connections, &Settings::maxconnections);
    } else if (arg == u"--timeout") {
        number(Timeout, &Settings::inettimeout);
    } else if (arg == u"--max-reply") {
        if (const std::optional<int> n = wholenumber(MaxReply, v, problem))
            options.overrides.append([n = *n](Settings &s) { s.maxreply = n; });
    }
    return problem;
}

// Takes every option the parser found among `known` into options, then the secrets from their
// options, files or the environment; returns an error text, or "".
QString takeoptions(const QCommandLineParser &parser, const QList<QCommandLineOption> &known, SearchOptions &options,
                    QStringList &keywords, QString &file)
{
    QString problem;
    for (const QCommandLineOption &option : known) {
        const QString name = option.names().first();
        // Every --keyword and --competitor counts; of any other option given twice, the last.
        const QStringList values = option.valueName().isEmpty()                  ? QStringList{QString()}
                                   : name == u"keyword" || name == u"competitor" ? parser.values(name)
                                                                                 : QStringList{parser.value(name)};
        for (const QString &value : values) {
            if (parser.isSet(name) && problem.isEmpty())
                problem = takeoption(u"--"_s + name, value, options, keywords, file);
        }
    }
    if (!problem.isEmpty())
        return problem;
    for (const secrets::Secret &secret : secrets::all()) {
        const auto given = [&](const QHash<QString, QString> &from) {
            return from.contains(secret.option) ? std::optional(from[secret.option]) : std::nullopt;
        };
        std::optional<QString> resolved;
        problem = secrets::resolve(secret, given(options.secretvalues), given(options.secretfiles), resolved);
        if (!problem.isEmpty())
            return problem;
        if (!resolved)
            continue;
        options.secrets << secret.option;
        options.overrides.append([member = secret.member, v = *resolved](Settings &s) { s.*member = v; });
    }
    return {};
}

// Returns an error text, or "" when the options are complete. In a program folder the domain
// may be given without --domain, and the keywords may come from the settings file.
QString parseoptions(const QStringList &args, SearchOptions &options, bool fromfolder)
{
    QCommandLineParser parser;
    QString problem = readarguments(parser, args, searchoptions(), fromfolder ? 1 : 0);
    if (!problem.isEmpty())
        return problem;
    if (!parser.positionalArguments().isEmpty())
        options.domain = parser.positionalArguments().first();
    QStringList keywords;
    QString file;
    problem = takeoptions(parser, searchoptions(), options, keywords, file);
    if (!problem.isEmpty())
        return problem;
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
    secrets::fromenvironment(settings);
    for (const auto &apply : options.overrides)
        apply(settings);
    if (options.api && settings.apikey.isEmpty())
        return u"--api needs --api-key (or --api-key-file, or ZORVANE_API_KEY)"_s;
    const QString engine = enginename(settings);
    if (isjsonengine(engine)) {
        const QString problem = parseengineurl(settings.engineurl).problem;
        if (!problem.isEmpty())
            return u"--engine "_s + engine + u" needs --engine-url URL ("_s + problem + u')';
        if (needsenginekey(engine) && settings.enginekey.isEmpty())
            return u"--engine "_s + engine + u" needs --engine-key (or --engine-key-file, or ZORVANE_ENGINE_KEY)"_s;
    }
    // A password in the environment or the settings file waits for a user; one given here is a slip.
    if (settings.proxyuser.isEmpty() && options.secrets.contains(u"--proxy-pass"_s))
        return u"--proxy-pass needs --proxy-user"_s;
    if (options.proxyuser && !settings.useproxy)
        return u"--proxy-user needs --proxy"_s;
    return {};
}

// One JSON line per keyword of domain d; a competitor's lines name it first.
void printsession(QFile &out, SearchState &state, int d, bool competitor)
{
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
        // As the list shows it: the best position, "None" (searched, not within the depth) or
        // "Unknown" (stopped, refused, never searched).
        const Ranking rank = ranking(keyword);
        const QString shown = rank.best                              ? QString::number(*rank.best)
                              : rank.kind == Ranking::Kind::NotFound ? u"None"_s
                                                                     : u"Unknown"_s;
        JsonLine line;
        if (competitor)
            line.add(u"domain", state.urldata[d].url);
        line.add(u"key", keyword.key).add(u"action", keyword.action).add(u"rank", shown);
        line.addRaw(u"positions", u'[' + positions.join(u',') + u']').add(u"urls", urls).add(u"titles", titles);
        out.write(line.text().toUtf8() + '\n');
    }
}

void printresults(SearchState &state)
{
    QFile out;
    const int d = findsession(state);
    if (d == 0 || !out.open(stdout, QIODevice::WriteOnly))
        return;
    resultrows::copyactions(state, d);
    printsession(out, state, d, false);
    for (const QString &url : state.urldata[d].competitors) {
        for (int c = 1; c <= state.urldata.ubound(); ++c) {
            if (state.urldata[c].url == url)
                printsession(out, state, c, true);
        }
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
    // counted; a start that failed is named by printtrapped. Its connection ends with this
    // function.
    QObject duringrun;
    QObject::connect(&errorreports::notifier(), &errorreports::Notifier::raised, &duringrun,
                     [] { QTextStream(stderr) << QString(errorreports::lastreport()).replace(u"\r\n"_s, u"\n"_s); });
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

int unansweredstatus(const SearchRun &run, const SearchState &state)
{
    const int missing = run.unanswered();
    if (missing == 0)
        return 0;
    QTextStream(stderr) << "zorvane-cli: " << missing << " of " << state.jobs.ubound()
                        << (state.jobs.ubound() == 1 ? " keyword was" : " keywords were") << " not answered\n";
    return UnansweredStatus;
}

QString searchUsageText()
{
    return u"usage: zorvane-cli search --domain D (--keywords-file F | --keyword K ...) [--depth N]\n"
           "          [--stop-after-hit] [--api --api-key K] [--searchhost H[:P]] [--apihost H[:P]]\n"
           "          [--proxy H:P [--proxy-user U --proxy-pass P]] [--connections N] [--timeout S]\n"
           "          [--engine html|soap|searxng|serpapi|brave|serper] [--engine-url URL] [--engine-key K]\n"
           "          [--searxng-engines LIST] [--competitor D ...]\n"
           "          searxng, serpapi, brave and serper ask the JSON service at URL (http:// or\n"
           "          https://, e.g. http://127.0.0.1:8888); serpapi, brave and serper need the key;\n"
           "          LIST names the upstream engines SearXNG asks (e.g. google); a keyword the\n"
           "          service refuses ends \"blocked (...)\", a page the service cannot read\n"
           "          \"unrecognised page (...)\"\n"
           "          [--cafile PEM] [--max-retries N] [--request-delay MS] [--shuffle]\n"
           "          [--max-reply BYTES] reads at most BYTES of one reply (default 8388608); a\n"
           "          longer one is cut there and the keyword's status says so\n"
           "          [--country CC] [--language LL] [--device desktop|mobile] [--location PLACE]\n"
           "          where and on what to search; stored with the domain in DIR, \"\" clears one\n"
           "          a host written https://H[:P] is reached over TLS; --cafile adds trusted CAs\n"
           "          each D's positions are read from the same pages, printed as lines naming it,\n"
           "          and in DIR stored as a domain of its own: no request is made for it\n"
           "          F holds one keyword a line; a line ends in LF or CR LF, empty lines are skipped\n"
           "       zorvane-cli --dir DIR search [DOMAIN] [the options above]\n"
           "          searches DOMAIN (default: the selected one) with its stored keywords and\n"
           "          settings, and stores the results in DIR's settings file\n"
           "          secrets stay out of the process list when read from the first line of a file\n"
           "          (--proxy-pass-file F, --api-key-file F, --engine-key-file F) or from the\n"
           "          environment (ZORVANE_PROXY_PASS, ZORVANE_API_KEY, ZORVANE_ENGINE_KEY)\n"
           "          exit status: 0 every keyword answered, 3 some were not (refused, gave up,\n"
           "          blocked, unreadable), 1 a failure, 2 a wrong option, 128+N stopped by signal N\n"_s;
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
    else if (!readbox(boxnumbers::pagedepth, window.pagedepthText()))
        return searchusage(u"the stored search depth \""_s + window.pagedepthText() + u"\" of "_s +
                           window.txturlsText() + u" is not a number of result pages; give --depth N"_s);
    if (options.stopafterhit)
        window.setChkstopafterhit(true);
    SearchLocale locale = window.searchlocale();
    for (const auto &[member, text] : options.locale)
        locale.*member = text;
    window.setSearchlocale(locale);

    if (options.competitors) {
        // The domain is in the list once the search starts, added by it when new.
        QObject::connect(&run, &SearchRun::searchStarting, &run, [&] {
            state.urldata[findsession(state)].competitors =
                competitors::read(options.competitors->join(u' '), state.txturl);
        });
    }
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
    if (stopsignal != 0)
        return 128 + stopsignal;
    return unansweredstatus(run, state);
}

QString checkServiceUsageText()
{
    return u"usage: zorvane-cli check-service [--engine html|soap|searxng|serpapi|brave|serper] [--engine-url URL]\n"
           "          [--engine-key K] [--api --api-key K] [--searchhost H[:P]] [--apihost H[:P]]\n"
           "          [--proxy H:P [--proxy-user U --proxy-pass P]] [--cafile PEM] [--timeout S]\n"
           "          searches \""_s +
           ServiceCheck::Keyword +
           u"\" once and says in one line whether the service answered, with how\n"
           "          many results, or what is wrong; exit status 0 when it answered, 1 when not\n"
           "       zorvane-cli --dir DIR check-service [the options above]\n"
           "          the same with DIR's service settings\n"_s;
}

// The search service's check: one search of a well-known keyword, its verdict on standard
// output.
int runCheckService(const QStringList &args, bool fromfolder)
{
    static const QStringList servicenames = {
        u"engine"_s,          u"engine-url"_s, u"engine-key"_s, u"engine-key-file"_s, u"api"_s,        u"api-key"_s,
        u"api-key-file"_s,    u"searchhost"_s, u"apihost"_s,    u"proxy"_s,           u"proxy-user"_s, u"proxy-pass"_s,
        u"proxy-pass-file"_s, u"cafile"_s,     u"timeout"_s,    u"searxng-engines"_s};
    QList<QCommandLineOption> serviceoptions;
    for (const QCommandLineOption &option : searchoptions()) {
        if (servicenames.contains(option.names().first()))
            serviceoptions << option;
    }
    const auto usage = [](const QString &problem) {
        QTextStream(stderr) << "zorvane-cli check-service: " << problem << "\n" << checkServiceUsageText();
        return 2;
    };
    QCommandLineParser parser;
    QString problem = readarguments(parser, args, serviceoptions);
    SearchOptions options;
    QStringList unused;
    QString file;
    if (problem.isEmpty())
        problem = takeoptions(parser, serviceoptions, options, unused, file);
    if (!problem.isEmpty())
        return usage(problem);
    SearchState state;
    if (fromfolder) {
        WindowSettings windowsettings;
        WindowPlacement placement;
        readi(state, windowsettings, placement, false);
    }
    problem = applysettings(options, state.settings);
    if (!problem.isEmpty())
        return usage(problem);
    SystemConnection system;
    ServiceCheck check(state.settings, system);
    QObject::connect(&check, &ServiceCheck::finished, &check, [](bool answered, const QString &verdict) {
        QTextStream(stdout) << verdict << '\n';
        QCoreApplication::exit(answered ? 0 : 1);
    });
    check.start();
    return QCoreApplication::exec();
}
