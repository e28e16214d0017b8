#include "errorreportcontroller.h"

#include "diagnostics/errormail.h"
#include "diagnostics/errorreports.h"
#include "diagnostics/guard.h"
#include "errorreportdisplay.h"
#include "errorreportpanel.h"
#include "platform/shell.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

ErrorReportController::ErrorReportController(QWidget &client, Shell &shell, QObject *parent)
    : QObject(parent), m_shell(shell), m_fraerrorreport(std::make_unique<ErrorReportPanel>(client)),
      m_fraerrorreportdisplay(std::make_unique<ErrorReportDisplay>(client))
{
    const ErrorReportPanel &panel = *m_fraerrorreport;
    const ErrorReportDisplay &display = *m_fraerrorreportdisplay;
    connect(panel.traceview(), &QPushButton::clicked, this, &ErrorReportController::traceview_Click);
    connect(panel.tracecancel(), &QPushButton::clicked, this, &ErrorReportController::tracecancel_Click);
    connect(display.traceviewdontsend(), &QPushButton::clicked, this, &ErrorReportController::tracecancel_Click);
    connect(panel.tracesend(), &QPushButton::clicked, this, &ErrorReportController::tracesend_Click);
    connect(display.traceviewsend(), &QPushButton::clicked, this, &ErrorReportController::tracesend_Click);
    connect(&errorreports::notifier(), &errorreports::Notifier::raised, this, &ErrorReportController::raiseerrorreport);
}

ErrorReportController::~ErrorReportController() = default;

void ErrorReportController::raiseerrorreport()
{
    m_fraerrorreport->setshown(true);
}

void ErrorReportController::traceview_Click()
{
    guard("Errorreports", "Sub traceview_Click", [&] {
        QString text = errorreports::errortext();
        text.replace(u"\r\n"_s, u"\n"_s);
        m_fraerrorreportdisplay->errorreporttxt()->setPlainText(text);
        m_fraerrorreportdisplay->setshown(true);
        m_fraerrorreport->setshown(false);
    });
}

void ErrorReportController::tracecancel_Click()
{
    guard("Errorreports", "Sub tracecancel_Click", [&] { hidepanels(); });
}

void ErrorReportController::tracesend_Click()
{
    guard("Errorreports", "Sub tracesend_Click", [&] {
        m_shell.open(errormail::address(errorreports::errortext()));
        errorreports::clearerrortext();
        hidepanels();
    });
}

void ErrorReportController::hidepanels()
{
    m_fraerrorreport->setshown(false);
    m_fraerrorreportdisplay->setshown(false);
}

void ErrorReportController::watchpicture(QWidget &Picture1, QWidget &resultsview, QWidget &restxt)
{
    m_Picture1 = &Picture1;
    m_resultsview = &resultsview;
    m_restxt = &restxt;
    Picture1.installEventFilter(this);
}

bool ErrorReportController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_Picture1 && event->type() == QEvent::MouseButtonDblClick) {
        Picture1_DblClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ErrorReportController::Picture1_DblClick()
{
    guard("Errorreportcontroller", "Sub Picture1_DblClick", [&] {
        if (m_resultsview == nullptr || m_restxt == nullptr)
            return;
        const bool raw = !m_restxt->isVisible();
        m_restxt->setVisible(raw);
        m_resultsview->setVisible(!raw);
        if (raw)
            m_restxt->raise();
        throw Failure::divisionByZero();
    });
}
