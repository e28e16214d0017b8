#include "clialerts.h"

#include "search/searchstate.h"

#include <QTextStream>

CliAlerts::CliAlerts(SearchState &state, SearchRun &run) : m_state(state), m_watch(state, run)
{
    connect(&m_watch, &AlertWatch::raised, this, &CliAlerts::raised);
    connect(&m_command, &AlertCommand::finished, this, [](const QString &problem) {
        if (!problem.isEmpty())
            QTextStream(stderr) << "zorvane-cli: " << problem << '\n';
    });
}

void CliAlerts::raised(const QString &summary)
{
    QTextStream(stderr) << "Ranking changes:\n" << summary << '\n';
    if (!m_state.settings.alertcommand.isEmpty())
        m_command.start(m_state.settings.alertcommand, summary);
}
