#pragma once

#include "search/array1.h"

#include <QString>
#include <QStringList>

class QIODevice;
struct ResultRow;

// The results and history lines as RFC 4180 CSV: UTF-8, "\r\n" after every record, a header
// row, and a field quoted only when it needs to be.
namespace csvexport {

// One record, in the order of header().
struct CsvLine
{
    QString date;
    QString domain;
    QString keyword;
    QString position; // as the list shows it: a number, "None" or "Unknown"
    QString url;
    QString title;
};

const QStringList &header();

// The field as it goes into the file: quoted when it holds a comma, a quote, CR, LF, or
// begins or ends with a space; quotes doubled.
QString csvfield(const QString &value);
// The fields joined by commas, with the record's "\r\n".
QString csvrecord(const QStringList &fields);

// The lines of the current results list; every row carries the domain's result time.
QList<CsvLine> resultlines(const List1<ResultRow> &rows, const QString &resulttime);
// The history list's lines, as filtered and sorted.
QList<CsvLine> historylines(const List1<ResultRow> &rows);

// Writes the header and the lines; with bom, a UTF-8 byte order mark first. False when the
// device refused a write.
bool writecsv(QIODevice &out, const QList<CsvLine> &lines, bool bom);
// Writes the file beside itself and renames it into place, so a failure keeps any old file.
// Returns "" or the reason it failed.
QString savecsv(const QString &filename, const QList<CsvLine> &lines);

} // namespace csvexport
