#include "alertwatch.h"

#include "diagnostics/guard.h"
#include "search/searchrun.h"
#include "search/searchstate.h"

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
        const Standings after = alertrules::standings(m_state, m_domain);
        text = alertrules::summary(alertrules::compare(m_domain, m_before, after, m_state.settings.alertdelta, order));
    });
    if (!text.isEmpty())
        emit raised(text);
}
