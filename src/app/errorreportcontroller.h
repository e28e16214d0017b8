#pragma once

#include <QObject>

#include <memory>

class ErrorReportDisplay;
class ErrorReportPanel;
class Shell;

// The error-report panels, which it creates over the window and owns: raised when the error
// trap records a failure, they show the accumulated report, mail it, or put it aside.
class ErrorReportController final : public QObject
{
    Q_OBJECT
public:
    ErrorReportController(QWidget &client, Shell &shell, QObject *parent = nullptr);
    ~ErrorReportController() override;

    void raiseerrorreport();
    void traceview_Click();
    void tracecancel_Click();
    void tracesend_Click();

    // The way to try the panels: a double click on the emblem swaps the results list and the
    // raw-text box in its place, then fails.
    void watchpicture(QWidget &Picture1, QWidget &resultsview, QWidget &restxt);
    void Picture1_DblClick();

    ErrorReportPanel &fraerrorreport() const { return *m_fraerrorreport; }
    ErrorReportDisplay &fraerrorreportdisplay() const { return *m_fraerrorreportdisplay; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hidepanels();

    Shell &m_shell;
    std::unique_ptr<ErrorReportPanel> m_fraerrorreport;
    std::unique_ptr<ErrorReportDisplay> m_fraerrorreportdisplay;
    QWidget *m_Picture1 = nullptr;
    QWidget *m_resultsview = nullptr;
    QWidget *m_restxt = nullptr;
};
