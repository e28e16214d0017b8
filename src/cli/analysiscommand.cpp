#include "commands.h"

#include "jsonline.h"
#include "viewinput.h"
#include "views/analysisrows.h"

#include <QFile>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

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
analysis::Filters pickfilters(const ViewInput &input, const QCommandLineParser &parser)
{
    analysis::Filters filters;
    const int mode = input.viewmode();
    analysis::setup(input.historydata(), mode, input.state().txturl, filters);
    analysis::disanaurl(input.historydata(), mode, filters);
    if (parser.isSet(DateOption)) {
        filters.dates.text = parser.value(DateOption);
        analysis::disanaurl(input.historydata(), mode, filters);
    }
    if (parser.isSet(DomainOption)) {
        filters.urls.text = parser.value(DomainOption);
        analysis::disanaurl(input.historydata(), mode, filters);
    }
    if (parser.isSet(KeywordOption))
        filters.keys.text = parser.value(KeywordOption);
    return filters;
}

bool datewithouthistory(const QCommandLineParser &parser, const QString &command)
{
    if (!parser.isSet(DateOption))
        return false;
    QTextStream(stderr) << "zorvane-cli " << command << ": --date needs --history\n";
    return true;
}

} // namespace

QString analysisUsageText()
{
    return u"  analysis [--date D] [--domain D] [--keyword K] [--group]\n"
           "          the analysis list of DIR's current results as JSON lines\n"
           "  detail URL [--date D] [--group]\n"
           "          the detail panel's lines for URL\n"_s;
}

// The lines of the analysis list, as the window shows them after the analysis command.
int runAnalysis(const QStringList &args)
{
    QCommandLineParser parser;
    if (!parseview(parser, u"analysis"_s, args, {DateOption, DomainOption, KeywordOption, GroupOption}, 0,
                   u"zorvane-cli [--dir DIR] analysis [--date D] [--domain D] [--keyword K] [--group]"_s))
        return 2;
    ViewInput input;
    if (input.viewmode() == 2 && datewithouthistory(parser, u"analysis"_s))
        return 2;
    const analysis::Filters chosen = pickfilters(input, parser);
    AnalysisTable table;
    QList<QString> lines;
    if (analysis::disana(input.historydata(), input.viewmode(), chosen, parser.isSet(GroupOption), table)) {
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
    if (!parseview(parser, u"detail"_s, args, {DateOption, GroupOption}, 1,
                   u"zorvane-cli [--dir DIR] detail URL [--date D] [--group]"_s))
        return 2;
    ViewInput input;
    if (input.viewmode() == 2 && datewithouthistory(parser, u"detail"_s))
        return 2;
    const analysis::Filters chosen = pickfilters(input, parser);
    const int mode = input.viewmode();
    QList<QString> lines;
    for (const analysis::DetailLine &line :
         analysis::displaydetailanalysis(input.historydata(), mode, chosen.dates.text, parser.isSet(GroupOption),
                                         parser.positionalArguments().first())) {
        JsonLine json;
        if (mode == 3)
            json.add(u"date", line.when);
        json.add(u"url", line.url).add(u"key", line.key).add(u"position", line.position);
        lines << json.text();
    }
    print(lines);
    return reportfailures() ? 1 : 0;
}
