#include "alertwatch.h"

#include "diagnostics/guard.h"
#include "search/searchlocale.h"
#include "search/searchrun.h"
#include "search/searchstate.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The place the domain's stored results were searched from, as a person reads it.
QString placeof(const SearchState &state, const QString &domain)
{
    for (const SearchSession &session : state.urldata) {
        if (session.url == domain)
            return searchlocale::summary(session.locale);
    }
    return {};
}

QString shownplace(const QString &place)
{
    return place.isEmpty() ? u"no place set"_s : place;
}

} // namespace

AlertWatch::AlertWatch(SearchState &state, SearchRun &run, QObject *parent) : QObject(parent), m_state(state)
{
    connect(&run, &SearchRun::searchStarting, this, &AlertWatch::searchstarting);
    connect(&run, &SearchRun::searchEnded, this, &AlertWatch::searchended);
}

void AlertWatch::searchstarting()
{
    guard("Alerts", "Sub searchstarting", [&] {
        m_domain = m_state.txturl;
        m_before = alertrules::standings(m_state, m_domain);
        m_place = placeof(m_state, m_domain);
        m_armed = true;
    });
}

void AlertWatch::searchended()
{
    QString text;
    guard("Alerts", "Sub searchended", [&] {
        if (!m_armed)
            return;
        m_armed = false;
        QStringList order;
        for (const SearchSession &session : m_state.urldata) {
            if (session.url != m_domain)
                continue;
            for (const KeywordResult &keyword : session.keys)
                order.append(keyword.key);
            break;
        }
        const QString place = placeof(m_state, m_domain);
        if (place != m_place && !m_before.isEmpty()) {
            text = m_domain + u": searched for "_s + shownplace(place) + u", before for "_s + shownplace(m_place) +
                   u"; rankings not compared"_s;
            return;
        }
        const Standings after = alertrules::standings(m_state, m_domain);
        const int delta = m_state.settings.alertdelta;
        QStringList lines{alertrules::summary(alertrules::compare(m_domain, m_before, after, delta, order)),
                          alertrules::visibilityline(m_domain, m_before, after, delta)};
        lines.removeAll(QString());
        text = lines.join(u'\n');
    });
    if (!text.isEmpty())
        emit raised(text);
}
