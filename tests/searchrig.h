#pragma once

#include "app/appstate.h"
#include "diagnostics/errorreports.h"
#include "search/searchrun.h"
#include "support/fakeconnection.h"
#include "support/fakeengine.h"
#include "support/testprompts.h"
#include "support/testwindow.h"

#include <QTest>

// A search run wired to the fake engine, with headless controls. Ticks last `tick` ms; a very
// long tick lets a test drive Timer1_Timer by hand.
struct SearchRig
{
    AppState state;
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
    // One tick by hand, after letting pending socket events arrive.
    void tick(int settle = 30)
    {
        QTest::qWait(settle);
        run.Timer1_Timer();
    }
    FetchJob &job(int index) { return state.jobs[index]; }
    const KeywordResult &keyword(int index) { return state.urldata[1].keys[index]; }
};
