#pragma once

#include "search/array1.h"
#include "search/session.h"
#include "storage/historydata.h"

#include <QString>

class QIODevice;

// The HTML reports: the ranking report of the current results and the history report of an
// opened history, each one page with a section per domain. Texts from result pages go in
// made safe to open (htmlout.h); everything else as it is.
namespace reports {

// What heads every report: the product's name, its web site and the date-time text.
struct ReportHeader
{
    QString product;
    QString website;
    QString date;
};
// The product, its web site address and the date-time text of now.
ReportHeader header();

// savecurrent: the ranking report of urldata. group is the analysis grouping box, which the
// frequency tables count with. False when a failure ended the report (error trap).
bool savecurrent(QIODevice *out, const Array1<SearchSession> &urldata, bool group, const ReportHeader &header);
// savehistory: the history report of the opened history.
bool savehistory(QIODevice *out, const HistoryData &historydata, bool group, const ReportHeader &header);

// The report command after its questions: view modes 0 and 2 write the ranking report of
// urldata, 1 and 3 the history report of historydata, into fileName, which is replaced only
// by a complete report. False when nothing was written; the caller then opens nothing.
bool writereport(int viewmode, const QString &fileName, const Array1<SearchSession> &urldata,
                 const HistoryData &historydata, bool group);

// The report command's dialog and texts.
QString dialogtitle();
QString dialogfilter();
// The file name the dialog proposes: the last report's, else the product name in lower case
// with ".html".
QString proposedname(const QString &htmlfile);
QString overwritequestion();
QString waittext(const QString &fileName);

} // namespace reports
