#include "csvexport.h"

#include "diagnostics/guard.h"
#include "platform/checkedfile.h"
#include "search/parsers.h"
#include "views/resultrows.h"

#include <QIODevice>

using namespace Qt::Literals::StringLiterals;

namespace csvexport {

namespace {

bool needsquotes(const QString &value)
{
    if (value.isEmpty())
        return false;
    if (value.front() == u' ' || value.back() == u' ')
        return true;
    for (const QChar c : value) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

// A title or URL comes from a page anyone can write, a keyword, domain or date from a history
// file anyone can share; a spreadsheet would run one beginning with "=" (or "+", "-", "@", a
// tab or a CR) as a formula, so such a value is given a leading apostrophe, which spreadsheets
// read as "text follows".
QString inert(const QString &value)
{
    if (!value.isEmpty() && QStringView(u"=+-@\t\r").contains(value.front()))
        return u'\'' + value;
    return value;
}

CsvLine fromrow(const ResultRow &row)
{
    // The position and the title as the list and the detail box show them: "None" for a domain not
    // found, "Unknown" for a keyword the service did not answer, and no markup.
    return {row.date, row.url, row.key, resultrows::shownposition(row.position), row.exacturl, remtags(row.title)};
}

} // namespace

const QStringList &header()
{
    static const QStringList names = {u"date"_s, u"domain"_s, u"keyword"_s, u"position"_s, u"url"_s, u"title"_s};
    return names;
}

QString csvfield(const QString &value)
{
    if (!needsquotes(value))
        return value;
    return u'"' + QString(value).replace(u'"', u"\"\""_s) + u'"';
}

QString csvrecord(const QStringList &fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString &field : fields)
        quoted.append(csvfield(field));
    return quoted.join(u',') + u"\r\n"_s;
}

QList<CsvLine> resultlines(const List1<ResultRow> &rows, const QString &resulttime)
{
    QList<CsvLine> lines;
    guard("Csv", "Function resultlines", [&] {
        for (const ResultRow &row : rows) {
            CsvLine line = fromrow(row);
            line.date = resulttime;
            lines.append(std::move(line));
        }
    });
    return lines;
}

QList<CsvLine> historylines(const List1<ResultRow> &rows)
{
    QList<CsvLine> lines;
    guard("Csv", "Function historylines", [&] {
        for (const ResultRow &row : rows)
            lines.append(fromrow(row));
    });
    return lines;
}

bool writecsv(QIODevice &out, const QList<CsvLine> &lines, bool bom)
{
    bool written = false;
    guard("Csv", "Function writecsv", [&] {
        // Written in pieces, so a long history never sits in memory twice.
        QByteArray bytes = bom ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        bytes += csvrecord(header()).toUtf8();
        for (const CsvLine &line : lines) {
            bytes += csvrecord({inert(line.date), inert(line.domain), inert(line.keyword), inert(line.position),
                                inert(line.url), inert(line.title)})
                         .toUtf8();
            if (bytes.size() >= 65536) {
                if (out.write(bytes) != bytes.size())
                    return;
                bytes.clear();
            }
        }
        written = out.write(bytes) == bytes.size();
    });
    return written;
}

QString savecsv(const QString &filename, const QList<CsvLine> &lines)
{
    QString problem = u"it could not be written"_s;
    guard("Csv", "Function savecsv", [&] {
        CheckedFile file(filename);
        if (!file.open()) {
            problem = file.errorString();
            return;
        }
        // A spreadsheet opened on a double click takes a CSV file without a byte order mark
        // for the system's 8-bit code page and garbles every other letter; with the mark it
        // reads UTF-8 and asks nothing.
        if (!writecsv(file, lines, true)) {
            problem = file.errorString();
            return;
        }
        if (!file.commit()) {
            problem = file.errorString();
            return;
        }
        problem.clear();
    });
    return problem;
}

} // namespace csvexport
