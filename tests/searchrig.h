#pragma once

#include "diagnostics/errorreports.h"
#include "search/searchrun.h"
#include "search/searchstate.h"
#include "support/fakeconnection.h"
#include "support/fakeengine.h"
#include "support/testprompts.h"
#include "support/testwindow.h"

#include <QTest>

// A search run wired to the fake engine, with headless controls. Ticks last `tick` ms; a very
// long tick lets a test drive Timer1_Timer by hand. Time-outs are long enough that a loaded
// machine never reaches one unless a test shortens them.
struct SearchRig
{
    SearchState state;
    TestWindow window{state};
    TestPrompts prompts;
    FakeConnection connection;
    FakeEngine engine;
    SearchRun run{state, window, prompts, connection};

    explicit SearchRig(int tick = 10)
    {
        errorreports::reset();
        engine.listen();
        state.settings.searchhost = engine.hostport();
        state.settings.apihost = engine.hostport();
        state.settings.inettimeout = 1000;
        run.setTickLength(tick);
    }

    void start(const QString &domain, const QString &keys, const QString &depth, bool stopafterhit = false)
    {
        window.setTxturlsText(domain);
        window.setTxtkeysText(keys);
        window.setPagedepthText(depth);
        window.setChkstopafterhit(stopafterhit);
        run.mnusearch_Click();
    }
    bool finish(int ms = 15000)
    {
        return QTest::qWaitFor([this] { return !state.searching; }, ms);
    }
    // One tick by hand, once `ready` holds (socket events are handled meanwhile); false when
    // it never did.
    bool tick(const std::function<bool()> &ready = [] { return true; })
    {
        const bool ok = QTest::qWaitFor(ready, 10000);
        run.Timer1_Timer();
        return ok;
    }
    bool connected(int j) { return run.pool().socket(job(j).socket).state() == SocketControl::Connected; }
    // Through the HTTP proxy at 127.0.0.1:port with these credentials.
    void useproxy(quint16 port, const QString &user, const QString &password)
    {
        state.settings.useproxy = true;
        state.settings.proxyserver = QStringLiteral("127.0.0.1");
        state.settings.proxyport = QString::number(port);
        state.settings.proxyuser = user;
        state.settings.proxypass = password;
    }
    // How keyword k's search ended, as one line: its status, the pages asked for (from 0), the
    // hits read and the places where the domain was found.
    QString verdict(int k)
    {
        QStringList pages, found;
        for (const int page : engine.pagesRequested(job(k).key))
            pages << QString::number(page);
        for (const SearchHit &hit : keyword(k).positions)
            found << QString::number(int(hit.position));
        return job(k).status + QStringLiteral(" | pages ") + pages.join(u' ') + QStringLiteral(" | ") +
               QString::number(job(k).hits.ubound()) + QStringLiteral(" hits | found ") + found.join(u' ');
    }
    FetchJob &job(int index) { return state.jobs[index]; }
    const KeywordResult &keyword(int index) { return state.urldata[1].keys[index]; }
};
