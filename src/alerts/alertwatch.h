#pragma once

#include "alertrules.h"

#include <QObject>

class SearchRun;

// Remembers where the domain's keywords stood when a run starts and compares when it ends,
// for every run whoever started it (the user, the scheduler, the command line).
class AlertWatch final : public QObject
{
    Q_OBJECT
public:
    AlertWatch(SearchState &state, SearchRun &run, QObject *parent = nullptr);

signals:
    // The run changed something worth telling: the summary, one line per change.
    void raised(const QString &summary);

private:
    void searchstarting();
    void searchended();

    SearchState &m_state;
    QString m_domain;
    Standings m_before;
    bool m_armed = false;
};
