#include "servicecheck.h"

#include "diagnostics/guard.h"
#include "localconnection.h"
#include "platform/prompts.h"
#include "searchrun.h"
#include "searchservice.h"
#include "searchwindow.h"

#include <QTimer>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The check's ticks are a tenth of the run's; its time-out stays the settings' in seconds.
constexpr int TickLength = 100;
constexpr int TicksPerSecond = 1000 / TickLength;

} // namespace

// The inputs of one search of the keyword on page 1; everything shown is dropped.
class ServiceCheck::QuietWindow final : public SearchWindow
{
public:
    QString txturlsText() const override { return m_domain; }
    void setTxturlsText(const QString &text) override { m_domain = text; }
    void addTxturlsItem(const QString &) override {}
    void clearTxturls() override {}
    QString txtkeysText() const override { return Keyword; }
    int txtkeysSelStart() const override { return int(Keyword.size()); }
    int txtkeysSelLength() const override { return 0; }
    void setTxtkeysSelection(int, int) override {}
    QString pagedepthText() const override { return u"1"_s; }
    bool chkstopafterhit() const override { return false; }
    bool chkdispfirst() const override { return false; }
    SearchLocale searchlocale() const override { return {}; }
    void writemessagebox(const QString &) override {}
    void disres() override {}
    void disall() override {}
    void clearresults() override {}
    void setResultslab1(const QString &) override {}
    void setSearchstatus(const QString &) override {}
    void setRestxt(const QString &) override {}
    void showWarning(const QString &text) override { warning = text; }
    void hideWarning() override {}
    int flasher() const override { return 255; }
    void setFlasher(int) override {}
    void checkstatus() override {}
    void displaybits(int) override {}

    QString warning; // a SOAP fault, after which the page was asked for as an HTML page

private:
    QString m_domain = u"example.com"_s;
};

// A search that cannot start says why in a message box; the check says it instead.
class ServiceCheck::QuietPrompts final : public Prompts
{
public:
    void message(const QString &text) override { shown = text; }
    Answer question(const QString &) override { return Answer::Yes; }

    QString shown;
};

ServiceCheck::ServiceCheck(const Settings &settings, const Connection &connection, QObject *parent)
    : QObject(parent), m_window(std::make_unique<QuietWindow>()), m_prompts(std::make_unique<QuietPrompts>())
{
    m_state.settings = settings;
    Settings &s = m_state.settings;
    s.inettimeout = Int16(std::clamp(int(s.inettimeout) * TicksPerSecond, 1, 32767));
    // One re-connect at most: a service that cannot be reached is told at once.
    s.maxretries = 1;
    s.shuffle = false;
    m_connection = std::make_unique<LocalConnection>(connection, m_state.settings);
    m_run = std::make_unique<SearchRun>(m_state, *m_window, *m_prompts, *m_connection);
    m_run->setTickLength(TickLength);
    connect(m_run.get(), &SearchRun::searchEnded, this, &ServiceCheck::end);
}

ServiceCheck::~ServiceCheck() = default;

void ServiceCheck::start()
{
    guard("Servicecheck", "Sub start", [&] {
        if (m_running)
            return;
        m_running = true;
        m_run->mnusearch_Click();
        if (!m_state.searching) {
            // Told after the caller has returned, as a check that ran would be.
            const QString why = m_prompts->shown.isEmpty() ? u"the check could not start"_s : m_prompts->shown;
            QTimer::singleShot(0, this, [this, why] { report(false, why); });
            return;
        }
        // A refusal is told as it comes, without the waits a search takes before asking again.
        for (FetchJob &job : m_state.jobs)
            job.retry.backoffs = RetryPolicy::MaxBackoffs;
    });
}

void ServiceCheck::end()
{
    guard("Servicecheck", "Sub end", [&] {
        if (m_state.jobs.isEmpty()) {
            report(false, u"the check could not start"_s);
            return;
        }
        const FetchJob &job = m_state.jobs[1];
        // Only a page read as a result page moves the job on; every other end names itself.
        if (job.page < 1) {
            report(false, job.status.trimmed());
            return;
        }
        const int hits = job.hits.ubound();
        QString what = u"answered, but listed no results for \""_s + Keyword + u'"';
        if (hits > 0)
            what = u"answered with "_s + QString::number(hits) +
                   (hits == 1 ? u" result for \""_s : u" results for \""_s) + Keyword + u'"';
        if (!m_window->warning.isEmpty())
            what += u" after the SOAP service refused ("_s + m_window->warning.simplified() + u')';
        report(true, what);
    });
}

void ServiceCheck::report(bool answered, const QString &what)
{
    m_running = false;
    const auto service = makeservice(m_state.settings, usesoap(m_state.settings));
    const QString name = usesoap(m_state.settings) ? engines::soap : enginename(m_state.settings);
    const QString host = service->target().host;
    const QString where = host.isEmpty() ? name : name + u" at "_s + host;
    emit finished(answered, where + (answered ? u" "_s : u": "_s) + what);
}
