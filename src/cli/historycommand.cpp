#include "cliparser.h"
#include "commands.h"

#include "cli/headlesswindow.h"
#include "csvout.h"
#include "diagnostics/errorreports.h"
#include "foldersession.h"
#include "jsonline.h"
#include "platform/filedialogs.h"
#include "platform/prompts.h"
#include "search/searchstate.h"
#include "storage/historycommands.h"
#include "storage/inistore.h"
#include "views/historybrowse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// Message boxes print on standard error; a question gets the answer the command line chose,
// and an OK/Cancel box is cancelled, since nobody is there to press OK.
class CliPrompts final : public Prompts
{
public:
    // answer: to every question; confirmed: whether OK/Cancel boxes are answered OK.
    explicit CliPrompts(Answer answer = Answer::No, bool confirmed = false) : m_answer(answer), m_confirmed(confirmed)
    {}
    void message(const QString &text) override
    {
        QTextStream(stderr) << text << '\n';
        m_messages << text;
    }
    Answer question(const QString &text) override
    {
        QTextStream(stderr) << text << (m_answer == Answer::Yes ? " Yes\n" : " No\n");
        return m_answer;
    }
    bool confirm(const QString &text) override
    {
        if (!m_confirmed) {
            message(text);
            return false;
        }
        m_messages << text;
        QTextStream(stderr) << text << " OK\n";
        return true;
    }
    bool shown(const QString &text) const { return m_messages.contains(text); }

private:
    Answer m_answer;
    bool m_confirmed;
    QStringList m_messages;
};

// The file dialog's answer is the file named on the command line.
class CliDialogs final : public FileDialogs
{
public:
    explicit CliDialogs(const QString &filename) : m_filename(filename) {}
    std::optional<QString> openfile(const FileDialogRequest &) override { return m_filename; }
    std::optional<QString> savefile(const FileDialogRequest &) override { return m_filename; }

private:
    QString m_filename;
};

// The window as the history commands see it: the domain box and the boxes a loaded record
// resets are the headless window's; the placement is the one stored in the settings file, on a
// screen large enough for any stored value.
class CliHistoryWindow final : public HistoryWindow, public HistoryViewWindow
{
public:
    CliHistoryWindow(HeadlessWindow &window, WindowSettings &windowsettings, const QString &inifile)
        : m_window(window), m_windowsettings(windowsettings), m_inifile(inifile)
    {}

    void cleardomains() override { m_window.clearTxturls(); }
    void adddomain(const QString &url) override { m_window.addTxturlsItem(url); }
    void setdomaintext(const QString &text) override { m_window.setTxturlsText(text); }
    void clearrecord() override
    {
        m_window.setTxtkeysText({});
        m_window.setPagedepthText(u"1"_s);
        m_window.setSearchstatus({});
        m_window.setResultslab1(u"Results"_s);
    }
    int viewmode() const override { return 0; }
    void displaybits(int) override {}
    void disall() override {}
    void clearresults() override {}
    void setwait(const QString &) override {}
    void clearwait() override {}
    void writemessagebox(const QString &text) override
    {
        m_window.writemessagebox(text);
        m_running += text + u"\r\n"_s;
    }
    void endlog(const QString &closing) override { errorreports::writedaylog(m_running + closing); }
    WindowPlacement placement() const override
    {
        return {stored(u"meleft"_s),
                stored(u"metop"_s),
                stored(u"mewidth"_s),
                stored(u"meheight"_s),
                WindowState::Normal,
                32767,
                32767};
    }
    RecordWindow recordwindow() const override
    {
        return storedrecordwindow(m_inifile, m_windowsettings, m_window.txturlsText());
    }
    void showloaded(const WindowPlacement *placed) override
    {
        m_loaded = true;
        if (placed)
            m_placed = *placed;
    }
    void showhistory() override {}

    bool loaded() const { return m_loaded; }
    const std::optional<WindowPlacement> &placed() const { return m_placed; }

private:
    double stored(const QString &key) const { return double(storedwindownumber(m_inifile, key)); }

    HeadlessWindow &m_window;
    WindowSettings &m_windowsettings;
    QString m_inifile;
    QString m_running;
    bool m_loaded = false;
    std::optional<WindowPlacement> m_placed;
};

int historyusage(const QString &problem)
{
    QTextStream(stderr) << "zorvane-cli history: " << problem << '\n' << historyUsageText();
    return 2;
}

// What the error trap reported during the command, on standard error; true when there was any.
bool reportfailures()
{
    if (errorreports::errortext().isEmpty())
        return false;
    QTextStream(stderr) << "zorvane-cli:" << QString(errorreports::errortext()).replace(u"\r\n"_s, u"\n"_s) << '\n';
    return true;
}

QString absolute(const QString &filename)
{
    return QFileInfo(filename).absoluteFilePath();
}

void printdates(const QStringList &dates)
{
    QTextStream out(stdout);
    for (const QString &date : dates)
        out << date << '\n';
}

// The options after FILE: each name with its value, or with "" for a switch.
struct Options
{
    QList<std::pair<QString, QString>> given;
    QString problem;

    std::optional<QString> value(const QString &name) const
    {
        for (const auto &[key, v] : given) {
            if (key == name)
                return v;
        }
        return std::nullopt;
    }
    bool has(const QString &name) const { return value(name).has_value(); }
};

Options parseoptions(const QStringList &args, const QStringList &switches, const QStringList &valued)
{
    Options options;
    QList<QCommandLineOption> known;
    for (const QString &name : switches)
        known.append(QCommandLineOption(name.sliced(2)));
    for (const QString &name : valued)
        known.append(QCommandLineOption(name.sliced(2), {}, u"V"_s));
    QCommandLineParser parser;
    options.problem = readarguments(parser, args, known);
    for (const QString &name : switches + valued) {
        if (options.problem.isEmpty() && parser.isSet(name.sliced(2)))
            options.given.append({name, valued.contains(name) ? parser.value(name.sliced(2)) : QString()});
    }
    return options;
}

// The program folder's state with the history commands over it.
struct FolderHistory
{
    SearchState state;
    HeadlessWindow window{state, [](const QString &line) { QTextStream(stderr) << line << '\n'; }};
    FolderSession folder{state};
    CliHistoryWindow history{window, folder.windowsettings(), state.inifile};
    Array1<QString> recorddates;

    FolderHistory() { folder.load(window); }
};

int list(const QString &filename)
{
    if (!QFileInfo::exists(filename)) {
        QTextStream(stderr) << "File doesn't exist! \n";
        return 1;
    }
    CliPrompts prompts;
    Array1<QString> dates;
    checkreadall(filename, prompts, dates);
    printdates(QStringList(dates.begin(), dates.end()));
    return reportfailures() ? 1 : 0;
}

int save(const QString &filename, const Options &options)
{
    FolderHistory h;
    CliPrompts prompts(options.has(u"--overwrite"_s) ? Prompts::Answer::Yes : Prompts::Answer::No);
    CliDialogs dialogs(filename);
    HistoryCommands commands(h.state, h.folder.windowsettings(), h.recorddates, h.history, prompts, dialogs);
    commands.mnusave_Click();
    const bool failed = reportfailures();
    return h.folder.store() && !failed ? 0 : 1;
}

int load(const QString &filename, const Options &options)
{
    const std::optional<QString> record = options.value(u"--record"_s);
    const std::optional<QString> date = options.value(u"--date"_s);
    if (record && date)
        return historyusage(u"give either --record or --date"_s);
    FolderHistory h;
    CliPrompts prompts;
    CliDialogs dialogs(filename);
    HistoryCommands commands(h.state, h.folder.windowsettings(), h.recorddates, h.history, prompts, dialogs);
    commands.mnuload_Click();
    if (commands.selectread().visible) {
        if (record) {
            QString problem;
            const std::optional<int> n = wholenumber({u"--record"_s, 1, h.recorddates.ubound()}, *record, problem);
            if (!n) {
                QTextStream(stderr) << "zorvane-cli history: " << problem << '\n';
                return 1;
            }
            commands.continuewith(*n);
        } else {
            if (date)
                commands.selectread().seldatetext = *date;
            commands.cmdloadcontinue_Click();
        }
    }
    // Nothing was loaded: a missing file, no records, or no record with that date.
    if (!h.history.loaded()) {
        reportfailures();
        return 1;
    }
    if (options.has(u"--restore-window"_s) && h.history.placed()) {
        const std::array<Int16, 6> &reswid = h.folder.windowsettings().reswid;
        h.folder.setwindow(*h.history.placed(), QList<int>(reswid.begin() + 1, reswid.end()));
    }
    const bool failed = reportfailures();
    return h.folder.store() && !failed ? 0 : 1;
}

int remove(const QString &filename, const QString &date)
{
    SearchState state;
    HeadlessWindow window(state);
    WindowSettings windowsettings;
    CliHistoryWindow history(window, windowsettings, state.inifile);
    Array1<QString> recorddates;
    // Naming the file and the date on the command line is the confirmation.
    CliPrompts prompts(Prompts::Answer::No, true);
    CliDialogs dialogs(filename);
    HistoryCommands commands(state, windowsettings, recorddates, history, prompts, dialogs);
    commands.manage().txtmhfile = filename;
    commands.cmdmhread_Click();
    if (!commands.manage().datesvisible)
        return 1; // missing, or not a history file: said already
    commands.manage().mhdatestext = date;
    commands.cmdmhdelete_Click();
    if (prompts.shown(u"enter date does not match any entry in the file, please try again"_s))
        return 1;
    printdates(commands.manage().mhdates);
    return reportfailures() ? 1 : 0;
}

void printrows(const List1<ResultRow> &rows)
{
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return;
    QByteArray bytes;
    for (const ResultRow &row : rows) {
        JsonLine line;
        line.add(u"date", row.date).add(u"key", row.key).add(u"position", row.position.toLongLong());
        line.add(u"url", row.exacturl);
        if (!row.place.isEmpty())
            line.add(u"place", row.place);
        bytes += line.text().toUtf8();
        bytes += '\n';
    }
    out.write(bytes);
}

// The history list under the filters: as JSON lines, or with csv as CSV.
int show(const QString &filename, const Options &options, bool fromfolder, bool csv = false)
{
    std::optional<FolderHistory> folder;
    SearchState state;
    if (fromfolder)
        folder.emplace();
    SearchState &current = folder ? folder->state : state;
    HeadlessWindow window(current);
    WindowSettings windowsettings;
    CliHistoryWindow history(window, windowsettings, current.inifile);
    HistoryIndex index;
    HistoryData historydata(index);
    Array1<QString> recorddates;
    HistoryLists lists;
    CliPrompts prompts;
    CliDialogs dialogs(filename);
    HistoryBrowse browse(current, index, historydata, recorddates, lists, history, prompts, dialogs);
    browse.openhistory(filename);
    if (index.count() == 0) {
        reportfailures();
        return 1;
    }
    // Each filter as a user picks it, in the order the view rebuilds them.
    if (const auto date = options.value(u"--date"_s)) {
        lists.historydates.text = *date;
        browse.historydates_Click();
    }
    if (const auto domain = options.value(u"--domain"_s)) {
        lists.historyurls.text = *domain;
        browse.historyurls_Click();
    }
    if (const auto keyword = options.value(u"--keyword"_s)) {
        lists.historykeys.text = *keyword;
        browse.historykeys_Click();
    }
    if (options.has(u"--first-only"_s)) {
        lists.chkhistoryfirst = true;
        browse.chkhistoryfirst_Click();
    }
    if (options.has(u"--descending"_s) && !options.has(u"--sort"_s))
        return historyusage(u"--descending needs --sort"_s);
    if (const auto sort = options.value(u"--sort"_s)) {
        static const QHash<QString, QString> headers = {{u"date"_s, u"DATE"_s},
                                                        {u"key"_s, u"Search term"_s},
                                                        {u"position"_s, u"Position"_s},
                                                        {u"url"_s, u"Exact URL"_s}};
        if (!headers.contains(*sort))
            return historyusage(u"--sort takes date, key, position or url"_s);
        browse.historyview_ColumnClick(headers[*sort]);
        if (options.has(u"--descending"_s))
            browse.historyview_ColumnClick(headers[*sort]);
    }
    if (csv) {
        const QList<csvexport::CsvLine> lines = csvexport::historylines(lists.listed);
        return reportfailures() ? 1 : printcsv(lines, options.value(u"--out"_s));
    }
    printrows(lists.listed);
    return reportfailures() ? 1 : 0;
}

} // namespace

QString historyUsageText()
{
    return u"usage: zorvane-cli --dir DIR history save FILE [--overwrite]\n"
           "       zorvane-cli history list FILE\n"
           "       zorvane-cli --dir DIR history load FILE [--record N | --date TEXT] [--restore-window]\n"
           "       zorvane-cli [--dir DIR] history delete FILE DATE\n"
           "       zorvane-cli [--dir DIR] history show FILE [--date D] [--domain D] [--keyword K] [--first-only]\n"
           "          [--sort date|key|position|url] [--descending]\n"
           "       zorvane-cli history chart FILE --keyword K [--domain D] [--out F.svg|F.png] [--size WxH]\n"
           "       zorvane-cli history visibility FILE [--domain D]: each record's visibility per domain\n"
           "       zorvane-cli history diff FILE [--from DATE] [--to DATE] [--domain D] [--keyword K]: what changed\n"
           "          between two records (by default the last two)\n"
           "       zorvane-cli [--dir DIR] history csv FILE [--date D] [--domain D] [--keyword K] [--first-only]\n"
           "          [--out F]: the same lines as CSV, to F or to standard output\n"_s;
}

int runHistory(const QStringList &args, bool fromfolder)
{
    if (args.size() < 2)
        return historyusage(u"a subcommand and a FILE are needed"_s);
    const QString command = args[0];
    const QString filename = absolute(args[1]);
    const QStringList rest = args.mid(2);
    if (command == u"chart")
        return runHistoryChart(filename, rest);
    if (command == u"visibility")
        return runHistoryVisibility(filename, rest);
    if (command == u"diff")
        return runHistoryDiff(filename, rest);
    if (command == u"list" || command == u"delete") {
        if (rest.size() != (command == u"delete" ? 1 : 0))
            return historyusage(command == u"delete" ? u"delete takes FILE and DATE"_s : u"list takes FILE"_s);
        return command == u"list" ? list(filename) : remove(filename, rest[0]);
    }
    if ((command == u"save" || command == u"load") && !fromfolder)
        return historyusage(command + u" needs --dir DIR"_s);
    Options options;
    if (command == u"save")
        options = parseoptions(rest, {u"--overwrite"_s}, {});
    else if (command == u"load")
        options = parseoptions(rest, {u"--restore-window"_s}, {u"--record"_s, u"--date"_s});
    else if (command == u"show")
        options = parseoptions(rest, {u"--first-only"_s, u"--descending"_s},
                               {u"--date"_s, u"--domain"_s, u"--keyword"_s, u"--sort"_s});
    else if (command == u"csv")
        options = parseoptions(rest, {u"--first-only"_s}, {u"--date"_s, u"--domain"_s, u"--keyword"_s, u"--out"_s});
    else
        return historyusage(u"unknown subcommand \""_s + command + u'"');
    if (!options.problem.isEmpty())
        return historyusage(options.problem);
    if (command == u"save")
        return save(filename, options);
    if (command == u"load")
        return load(filename, options);
    return show(filename, options, fromfolder, command == u"csv");
}
