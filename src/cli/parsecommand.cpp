#include "cliparser.h"
#include "commands.h"

#include "diagnostics/errorreports.h"
#include "jsonline.h"
#include "platform/codepage.h"
#include "search/chunked.h"
#include "search/parsers.h"

#include <QFile>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

int parseusage(const QString &problem)
{
    QTextStream(stderr) << "zorvane-cli parse: " << problem << "\nusage: zorvane-cli parse [--soap] FILE\n";
    return 2;
}

void printhits(const Array1<SearchHit> &hits)
{
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return;
    for (int i = 1; i <= hits.ubound(); ++i) {
        const SearchHit &hit = hits[i];
        JsonLine line;
        line.add(u"index", i).add(u"url", hit.url).add(u"title", hit.title).add(u"abstract", hit.abstract);
        out.write(line.text().toUtf8() + '\n');
    }
    if (!hits[0].fault.isEmpty())
        out.write(JsonLine().add(u"fault", hits[0].fault).text().toUtf8() + '\n');
}

} // namespace

// Parses a saved reply the way the fetcher does when a connection closes: chunk decoding,
// line ends, then the HTML or SOAP scanner.
int runParse(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption soapoption(u"soap"_s);
    const QString problem = readarguments(parser, args, {soapoption}, -1);
    if (!problem.isEmpty())
        return parseusage(problem);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return parseusage(u"only one FILE may be given"_s);
    if (files.isEmpty())
        return parseusage(u"FILE is missing"_s);
    const bool soap = parser.isSet(soapoption);
    const QString path = files.first();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "zorvane-cli parse: cannot read \"" << path << "\": " << file.errorString() << '\n';
        return 2;
    }
    const QString page = addcr(dechunk(codepage::toText(file.readAll())));
    printhits(soap ? geturls_googleapi(page) : geturls_google(page));
    if (!errorreports::errortext().isEmpty()) {
        QTextStream(stderr) << errorreports::errortext();
        return 1;
    }
    return 0;
}
