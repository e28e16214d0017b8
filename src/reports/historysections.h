#pragma once

#include "htmlout.h"
#include "storage/historydata.h"

#include <QList>

// The history report's sections that look across records: a domain's visibility over time and
// what changed on its result pages between its last two records.
namespace reports {

// One domain record of one saved search: the record's number and the domain's within it.
struct Saved
{
    int record;
    int domain;
};

// The domain's visibility in each saved search that holds it, "no data" where none of its
// keywords was answered.
void visibilitysection(HtmlOut &out, const HistoryData &historydata, const QList<Saved> &records);
// What changed for the domain's keywords between the last two saved searches that hold it;
// nothing when it is in fewer than two.
void changessection(HtmlOut &out, const HistoryData &historydata, const QList<Saved> &records);

} // namespace reports
