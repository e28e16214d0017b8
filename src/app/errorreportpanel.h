#pragma once

#include "popuppanel.h"

// The error-report panel `fraerrorreport`, raised by the error trap: view, send or drop the report.
class ErrorReportPanel final : public PopupPanel
{
    Q_OBJECT
public:
    explicit ErrorReportPanel(QWidget &client);

    QPushButton *traceview() const { return m_traceview; }
    QPushButton *tracesend() const { return m_tracesend; }
    QPushButton *tracecancel() const { return m_tracecancel; }

private:
    QPushButton *m_traceview = nullptr;
    QPushButton *m_tracesend = nullptr;
    QPushButton *m_tracecancel = nullptr;
};
