#pragma once

#include "popuppanel.h"

class QPlainTextEdit;

// The panel `fraerrorreportdisplay` that shows the error report before it is sent.
class ErrorReportDisplay final : public PopupPanel
{
    Q_OBJECT
public:
    explicit ErrorReportDisplay(QWidget &client);

    QPlainTextEdit *errorreporttxt() const { return m_errorreporttxt; }
    QPushButton *traceviewsend() const { return m_traceviewsend; }
    QPushButton *traceviewdontsend() const { return m_traceviewdontsend; }

private:
    QPlainTextEdit *m_errorreporttxt = nullptr;
    QPushButton *m_traceviewsend = nullptr;
    QPushButton *m_traceviewdontsend = nullptr;
};
