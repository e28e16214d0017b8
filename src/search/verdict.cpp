#include "verdict.h"

#include "diagnostics/guard.h"

#include <QRegularExpression>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString ProxyAuthFailed = u"proxy authentication failed"_s;
const QString QuotaExhausted = u"quota exhausted"_s;
const QString KeyRejected = u"key rejected"_s;
const QString Blocked = u"blocked ("_s;
const QString Unrecognised = u"unrecognised page ("_s;
const QString ServiceError = u"service error ("_s;
const QString Finished = u"Finished search"_s;
const QString NoteSeparator = u"; "_s;

QString withnotes(const QString &status, const QString &notes)
{
    return notes.isEmpty() ? status : status + NoteSeparator + notes;
}

} // namespace

QString verdictstatus(Verdict verdict, const QString &detail)
{
    switch (verdict) {
    case Verdict::Results:
    case Verdict::NoResults:
        return {};
    case Verdict::Blocked:
        return detail == ProxyAuthFailed ? detail : Blocked + detail + u')';
    case Verdict::Unrecognised:
        return Unrecognised + (detail.isEmpty() ? u"not the result-page layout this service reads"_s : detail) + u')';
    case Verdict::Quota:
        return QuotaExhausted;
    case Verdict::KeyRejected:
        return KeyRejected;
    case Verdict::Fault:
        return detail;
    case Verdict::Failed:
        return ServiceError + detail + u')';
    }
    return {};
}

Verdict statusofverdict(const QString &status)
{
    if (status.startsWith(Blocked) || status == ProxyAuthFailed)
        return Verdict::Blocked;
    if (status.startsWith(Unrecognised))
        return Verdict::Unrecognised;
    if (status == QuotaExhausted)
        return Verdict::Quota;
    if (status == KeyRejected)
        return Verdict::KeyRejected;
    if (status.startsWith(ServiceError))
        return Verdict::Failed;
    return Verdict::Results;
}

QString finishedstatus(const QString &notes)
{
    return withnotes(Finished, notes);
}

QString completestatus(int pages, const QString &notes)
{
    return withnotes(u"Complete after "_s + QString::number(pages) + u" pages"_s, notes);
}

bool searchedstatus(const QString &status)
{
    static const QRegularExpression searched(u"^(Finished search|Complete after \\d+ pages)(; .*)?$"_s,
                                             QRegularExpression::DotMatchesEverythingOption);
    return searched.match(status).hasMatch();
}

void addnote(QString &notes, const QString &note)
{
    guard("Fetcher", "Sub addnote", [&] {
        QStringList parts = notes.isEmpty() ? QStringList() : notes.split(u", "_s);
        for (const QString &part : note.split(u", "_s)) {
            if (!part.isEmpty() && !parts.contains(part))
                parts.append(part);
        }
        notes = parts.join(u", "_s);
    });
}

bool isblockedstatus(const QString &status)
{
    const Verdict verdict = statusofverdict(status);
    return verdict == Verdict::Blocked || verdict == Verdict::Quota || verdict == Verdict::KeyRejected;
}

bool isunansweredstatus(const QString &status)
{
    // A connection that never verified, or a page that failed every re-connect, answered nothing.
    return statusofverdict(status) != Verdict::Results || status.startsWith(u"TLS error: ") ||
           status.startsWith(u"gave up after ");
}

QString unansweredsummary(int blocked, int unrecognised, bool pageservice)
{
    const int count = blocked + unrecognised;
    if (count == 0)
        return {};
    QString line = QString::number(count) + (count == 1 ? u" keyword blocked"_s : u" keywords blocked"_s);
    if (unrecognised > 0)
        line += u" or unrecognised ("_s + QString::number(unrecognised) +
                (unrecognised == 1 ? u" unrecognised page)"_s : u" unrecognised pages)"_s);
    if (pageservice)
        line += u"; today's result pages are read through SearXNG or a JSON service (SERP API, Brave, Serper): "
                u"choose one in Options, Search service"_s;
    return line;
}
