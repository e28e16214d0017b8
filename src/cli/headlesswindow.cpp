#include "headlesswindow.h"

#include "diagnostics/datetext.h"
#include "diagnostics/guard.h"
#include "search/chunked.h"
#include "search/searchstate.h"
#include "views/resultrows.h"

using namespace Qt::Literals::StringLiterals;

HeadlessWindow::HeadlessWindow(SearchState &state, LineSink sink) : m_state(state), m_sink(std::move(sink)) {}

void HeadlessWindow::clearTxturls()
{
    m_txturlsItems.clear();
    m_txturlsText.clear();
}

void HeadlessWindow::setTxtkeysSelection(int start, int length)
{
    m_selstart = start;
    m_sellength = length;
}

void HeadlessWindow::setTxtkeysText(const QString &text)
{
    m_txtkeys = text;
    m_selstart = int(text.size());
    m_sellength = 0;
}

void HeadlessWindow::writemessagebox(const QString &text)
{
    guard("Headless", "Sub writemessagebox", [&] {
        if (m_sink)
            m_sink(GetDateFormat() + u'-' + text);
    });
}

void HeadlessWindow::disres()
{
    guard("Headless", "Sub disres", [&] {
        const int d = findsession(m_state);
        if (d == 0)
            return;
        const SearchSession &session = m_state.urldata[d];
        m_resultslab1 = session.resulttime.isEmpty() ? u"Results:"_s : u"Results at: "_s + session.resulttime;
        resultrows::copyactions(m_state, d);
    });
}

void HeadlessWindow::disall()
{
    guard("Headless", "Sub disall", [&] {
        const std::optional<StoredInputs> inputs = resultrows::storedinputs(m_state);
        if (!inputs)
            return;
        setTxtkeysText(inputs->txtkeys);
        m_stopafterhit = inputs->chkstopafterhit;
        m_dispfirst = inputs->chkdispfirst;
        m_pagedepth = inputs->pagedepth;
        m_locale = inputs->locale;
        disres();
    });
}

QString HeadlessWindow::restxt() const
{
    return addlf(m_restxt);
}

void HeadlessWindow::showWarning(const QString &text)
{
    m_lblwarn = text;
    m_warningVisible = true;
}
