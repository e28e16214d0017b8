#pragma once

#include "cli/headlesswindow.h"

#include <QStringList>

// The headless window, recording the bare text of every message-box line and every status
// label text, and counting results refreshes.
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
    void disres() override
    {
        ++m_disres;
        HeadlessWindow::disres();
    }
    void checkstatus() override { ++m_checkstatus; }

    const QStringList &lines() const { return m_lines; }
    const QStringList &statuses() const { return m_statuses; }
    int disresCount() const { return m_disres; }
    int checkstatusCount() const { return m_checkstatus; }
    void clearLines() { m_lines.clear(); }

private:
    QStringList m_lines;
    QStringList m_statuses;
    int m_disres = 0;
    int m_checkstatus = 0;
};
