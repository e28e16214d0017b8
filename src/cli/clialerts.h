#pragma once

#include "alerts/alertcommand.h"
#include "alerts/alertwatch.h"

// The ranking changes of the command line's runs: the summary on standard error and, when the
// settings name one, the user's alert program, whose failure is reported there too.
class CliAlerts final : public QObject
{
public:
    CliAlerts(SearchState &state, SearchRun &run);

    // Before the command ends: the alert programs still running are waited for.
    void waitall() { m_command.waitall(); }

private:
    void raised(const QString &summary);

    SearchState &m_state;
    AlertWatch m_watch;
    AlertCommand m_command;
};
