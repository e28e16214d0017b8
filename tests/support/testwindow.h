#pragma once

#include "cli/headlesswindow.h"

#include <QStringList>

// The headless window, recording the bare text of every message-box line and every status
// label text.
class TestWindow final : public HeadlessWindow
{
public:
    explicit TestWindow(SearchState &state) : HeadlessWindow(state) {}

    void writemessagebox(const QString &text) override
    {
        m_lines.append(text);
        HeadlessWindow::writemessagebox(text);
    }
    void setSearchstatus(const QString &text) override
    {
        m_statuses.append(text);
        HeadlessWindow::setSearchstatus(text);
    }

    const QStringList &lines() const { return m_lines; }
    const QStringList &statuses() const { return m_statuses; }

private:
    QStringList m_lines;
    QStringList m_statuses;
};
