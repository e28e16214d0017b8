#include "commands.h"

#include "jsonline.h"
#include "storage/historyindex.h"
#include "viewinput.h"
#include "views/historydiff.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

const QCommandLineOption FromOption(u"from"_s, {}, u"DATE"_s);
const QCommandLineOption ToOption(u"to"_s, {}, u"DATE"_s);
const QCommandLineOption DomainOption(u"domain"_s, {}, u"D"_s);
const QCommandLineOption KeywordOption(u"keyword"_s, {}, u"K"_s);

int fail(const QString &problem)
{
    QTextStream(stderr) << "zorvane-cli history diff: " << problem << '\n';
    return 1;
}

// A position as a number, "not found" or "unknown" as text, null when the record lacks the keyword.
QString standingjson(const historydiff::Standing &standing)
{
    if (standing.kind == historydiff::Standing::Kind::Absent)
        return u"null"_s;
    if (standing.kind == historydiff::Standing::Kind::Found)
        return QString::number(standing.position);
    return JsonLine::quote(standing.text());
}

QString changeline(const historydiff::Change &change, const QString &from, const QString &to)
{
    JsonLine line;
    line.add(u"domain", change.domain);
    if (!change.place.isEmpty())
        line.add(u"place", change.place);
    line.add(u"key", change.key).add(u"from", from).add(u"to", to);
    line.addRaw(u"then", standingjson(change.then)).addRaw(u"now", standingjson(change.now));
    line.add(u"entered", change.entered).add(u"left", change.left);
    if (change.replaced.then.isEmpty())
        line.addRaw(u"replaced", u"null"_s);
    else
        line.addRaw(u"replaced", JsonLine().add(u"then", change.replaced.then).add(u"now", change.replaced.now).text());
    QStringList titles;
    for (const historydiff::TitleChange &title : change.titles)
        titles << JsonLine().add(u"url", title.url).add(u"then", title.then).add(u"now", title.now).text();
    line.addRaw(u"titles", u'[' + titles.join(u',') + u']');
    return line.text();
}

// The records to compare: --to or the last, --from or the one before it; 0 with the problem said.
std::pair<int, int> records(const QCommandLineParser &parser, const HistoryData &historydata)
{
    int to = historydata.count();
    if (parser.isSet(ToOption) && (to = historydiff::recordof(historydata, parser.value(ToOption))) == 0) {
        fail(u"no record is dated \""_s + parser.value(ToOption) + u'"');
        return {0, 0};
    }
    int from = to - 1;
    if (parser.isSet(FromOption) && (from = historydiff::recordof(historydata, parser.value(FromOption))) == 0) {
        fail(u"no record is dated \""_s + parser.value(FromOption) + u'"');
        return {0, 0};
    }
    if (from == 0)
        fail(u"no record before "_s + historydata.when(to) + u" to compare it with; give --from"_s);
    return {from, to};
}

} // namespace

int runHistoryDiff(const QString &filename, const QStringList &args)
{
    QCommandLineParser parser;
    if (!parseview(parser, u"history diff"_s, args, {FromOption, ToOption, DomainOption, KeywordOption}, 0,
                   u"zorvane-cli history diff FILE [--from DATE] [--to DATE] [--domain D] [--keyword K]"_s))
        return 2;
    if (!QFileInfo::exists(filename))
        return fail(u"File doesn't exist! "_s);
    const HistoryIndex index = HistoryIndex::open(filename);
    const HistoryData historydata(index);
    if (historydata.count() == 0) {
        reportfailures();
        return fail(u"No suitable data in file"_s);
    }
    const auto [from, to] = records(parser, historydata);
    if (from == 0)
        return 1;
    QByteArray bytes;
    for (const historydiff::Change &change :
         historydiff::compare(historydata, from, to, parser.value(DomainOption), parser.value(KeywordOption)))
        bytes += changeline(change, historydata.when(from), historydata.when(to)).toUtf8() + '\n';
    QFile out;
    if (out.open(stdout, QIODevice::WriteOnly))
        out.write(bytes);
    return reportfailures() ? 1 : 0;
}
