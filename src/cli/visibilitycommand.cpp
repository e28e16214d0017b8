#include "commands.h"

#include "jsonline.h"
#include "search/searchlocale.h"
#include "storage/historyindex.h"
#include "viewinput.h"
#include "views/visibility.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

const QCommandLineOption DomainOption(u"domain"_s, {}, u"D"_s);

QString scoreline(const HistoryData &historydata, int n, int d)
{
    const visibility::Score score = visibility::score(historydata, n, d);
    const std::optional<double> percent = score.percent();
    JsonLine line;
    line.add(u"date", historydata.when(n)).add(u"domain", historydata.url(n, d));
    const QString place = searchlocale::summary(historydata.locale(n, d));
    if (!place.isEmpty())
        line.add(u"place", place);
    // A record whose keywords all went unanswered has no score rather than a score of 0.
    line.addRaw(u"visibility", percent ? visibility::percenttext(*percent) : u"null"_s);
    line.add(u"keywords", score.keywords).add(u"unknown", score.unknown);
    return line.text();
}

} // namespace

int runHistoryVisibility(const QString &filename, const QStringList &args)
{
    QCommandLineParser parser;
    if (!parseview(parser, u"history visibility"_s, args, {DomainOption}, 0,
                   u"zorvane-cli history visibility FILE [--domain D]"_s))
        return 2;
    if (!QFileInfo::exists(filename)) {
        QTextStream(stderr) << "File doesn't exist! \n";
        return 1;
    }
    const HistoryIndex index = HistoryIndex::open(filename);
    const HistoryData historydata(index);
    if (historydata.count() == 0) {
        reportfailures();
        QTextStream(stderr) << "No suitable data in file\n";
        return 1;
    }
    QByteArray bytes;
    for (int n = 1; n <= historydata.count(); ++n) {
        for (int d = 1; d <= historydata.domaincount(n); ++d) {
            const QString &url = historydata.url(n, d);
            if (url.isEmpty() || (parser.isSet(DomainOption) && url != parser.value(DomainOption)))
                continue;
            bytes += scoreline(historydata, n, d).toUtf8() + '\n';
        }
    }
    QFile out;
    if (out.open(stdout, QIODevice::WriteOnly))
        out.write(bytes);
    return reportfailures() ? 1 : 0;
}
