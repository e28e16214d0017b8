#pragma once

#include "htmlout.h"
#include "reports.h"
#include "views/analysistable.h"

// The page furniture both reports share.
namespace reports {

// Palette colour i (1 to 10) of the ranked rows; 10 and beyond take colour 10.
QStringView colour(int i);
void reportheader(HtmlOut &out, const ReportHeader &header);
void reportfooter(HtmlOut &out);
// The yellow heading block around one heading line.
void heading(HtmlOut &out, QStringView text);
// The cell lines of the ranked tables: "        <b>text</b></font>", and the same around a link
// to url that shows it.
void boldcell(HtmlOut &out, QStringView text);
void linkcell(HtmlOut &out, const QString &url);
// The table of the ranked records: URL, count, average position and title.
void frequencytable(HtmlOut &out, const AnalysisTable &table);

} // namespace reports
