#include "errorreportdisplay.h"

#include <QBoxLayout>
#include <QPlainTextEdit>

using namespace Qt::Literals::StringLiterals;

ErrorReportDisplay::ErrorReportDisplay(QWidget &client) : PopupPanel(u"fraerrorreportdisplay"_s, client)
{
    m_errorreporttxt = new QPlainTextEdit(this);
    m_errorreporttxt->setObjectName(u"errorreporttxt"_s);
    m_errorreporttxt->setAccessibleName(u"Error report"_s);
    m_errorreporttxt->setReadOnly(true);
    addwidget(m_errorreporttxt);
    QHBoxLayout *row = addbuttonrow();
    m_traceviewsend = addbutton(row, u"traceviewsend"_s, u"Send Error Report!"_s);
    m_traceviewdontsend = addbutton(row, u"traceviewdontsend"_s, u"Don't Send"_s);
}
