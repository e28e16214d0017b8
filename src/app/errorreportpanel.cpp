#include "errorreportpanel.h"

#include <QBoxLayout>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

ErrorReportPanel::ErrorReportPanel(QWidget &client) : PopupPanel(u"fraerrorreport"_s, client)
{
    emphasise(addlabel(u"lbltrace1"_s, u"An error has occurred, Please send an error report to the Velquist team"_s));
    addlabel(u"lbltrace2"_s, u"If you select 'Send Message' a message will be sent to the Velquist team."_s);
    addstretch();
    QHBoxLayout *row = addbuttonrow();
    m_traceview = addbutton(row, u"traceview"_s, u"View Message"_s);
    m_tracesend = addbutton(row, u"tracesend"_s, u"Send Error Report!"_s);
    m_tracecancel = addbutton(row, u"tracecancel"_s, u"Don't Send"_s);
}
