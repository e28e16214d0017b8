#include "commands.h"

#include "jsonline.h"
#include "viewinput.h"
#include "views/analysisrows.h"

#include <QFile>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

const QCommandLineOption HistoryOption(u"history"_s, {}, u"FILE"_s);
const QCommandLineOption DateOption(u"date"_s, {}, u"D"_s);
const QCommandLineOption DomainOption(u"domain"_s, {}, u"D"_s);
const QCommandLineOption KeywordOption(u"keyword"_s, {}, u"K"_s);
const QCommandLineOption GroupOption(u"group"_s);

void print(const QList<QString> &lines)
{
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return;
    for (const QString &line : lines)
        out.write(line.toUtf8() + '\n');
}

// The filters as the analysis command sets them up, then each given filter picked as a user
// would pick it, top to bottom: a date or domain rebuilds the keyword filter.
HistoryLists pickfilters(const ViewInput &input, const QCommandLineParser &parser)
{
    HistoryLists lists;
    const int mode = input.viewmode();
    lists.chkhistoryfirst = parser.isSet(GroupOption);
    analysis::setup(input.historydata(), mode, input.state().txturl, lists);
    analysis::disanaurl(input.historydata(), mode, lists);
    if (parser.isSet(DateOption)) {
        lists.historydates.text = parser.value(DateOption);
        analysis::disanaurl(input.historydata(), mode, lists);
    }
    if (parser.isSet(DomainOption)) {
        lists.historyurls.text = parser.value(DomainOption);
        analysis::disanaurl(input.historydata(), mode, lists);
    }
    if (parser.isSet(KeywordOption))
        lists.historykeys.text = parser.value(KeywordOption);
    return lists;
}

// Opens --history when given; false after a message when it cannot be, or for a date filter
// without a history.
bool open(ViewInput &input, const QCommandLineParser &parser, const QString &command)
{
    if (parser.isSet(HistoryOption))
        return input.openhistory(parser.value(HistoryOption));
    if (!parser.isSet(DateOption))
        return true;
    QTextStream(stderr) << "zorvane-cli " << command << ": --date needs --history\n";
    return false;
}

} // namespace

QString analysisUsageText()
{
    return u"usage: zorvane-cli --dir DIR analysis [--history FILE] [--date D] [--domain D] [--keyword K] [--group]\n"
           "          the analysis list of DIR's current results, or of the history FILE, as JSON lines\n"
           "       zorvane-cli --dir DIR detail URL [--history FILE] [--date D] [--group]\n"
           "          the detail panel's lines for URL\n"_s;
}

// The lines of the analysis list, as the window shows them after the analysis command.
int runAnalysis(const QStringList &args)
{
    QCommandLineParser parser;
    if (!parseview(parser, u"analysis"_s, args, {HistoryOption, DateOption, DomainOption, KeywordOption, GroupOption},
                   0,
                   u"zorvane-cli [--dir DIR] analysis [--history FILE] [--date D] [--domain D] [--keyword K] "
                   "[--group]"_s))
        return 2;
    ViewInput input;
    if (!open(input, parser, u"analysis"_s))
        return parser.isSet(HistoryOption) ? 1 : 2;
    HistoryLists lists = pickfilters(input, parser);
    AnalysisTable table;
    QList<QString> lines;
    if (analysis::disana(input.historydata(), input.viewmode(), lists, table)) {
        for (const analysis::AnalysisLine &line : analysis::disana2(table)) {
            JsonLine json;
            json.add(u"url", line.url);
            if (!line.url.isEmpty())
                json.add(u"count", line.count.toLongLong()).add(u"average", line.average).add(u"title", line.title);
            lines << json.text();
        }
    }
    print(lines);
    return reportfailures() ? 1 : 0;
}

// The detail panel's lines for a URL clicked in the analysis list.
int runDetail(const QStringList &args)
{
    QCommandLineParser parser;
    if (!parseview(parser, u"detail"_s, args, {HistoryOption, DateOption, GroupOption}, 1,
                   u"zorvane-cli [--dir DIR] detail URL [--history FILE] [--date D] [--group]"_s))
        return 2;
    ViewInput input;
    if (!open(input, parser, u"detail"_s))
        return parser.isSet(HistoryOption) ? 1 : 2;
    const HistoryLists lists = pickfilters(input, parser);
    const int mode = input.viewmode();
    QList<QString> lines;
    for (const analysis::DetailLine &line :
         analysis::displaydetailanalysis(input.historydata(), mode, lists, parser.positionalArguments().first())) {
        JsonLine json;
        if (mode == 3)
            json.add(u"date", line.when);
        json.add(u"url", line.url).add(u"key", line.key).add(u"position", line.position);
        lines << json.text();
    }
    print(lines);
    return reportfailures() ? 1 : 0;
}
