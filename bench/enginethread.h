#pragma once

#include "support/fakeengine.h"

#include <QMetaObject>
#include <QThread>

#include <memory>

// The fake engine in a thread of its own, so that its serving costs the measured thread
// nothing. in() runs work in the engine's thread and waits for it.
class EngineThread
{
public:
    EngineThread()
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        in([this] { m_engine = std::make_unique<FakeEngine>(); });
    }
    ~EngineThread()
    {
        in([this] { m_engine.reset(); });
        m_thread.quit();
        m_thread.wait();
    }
    EngineThread(const EngineThread &) = delete;
    EngineThread &operator=(const EngineThread &) = delete;

    template <typename Work> void in(Work &&work)
    {
        QMetaObject::invokeMethod(&m_context, std::forward<Work>(work), Qt::BlockingQueuedConnection);
    }
    // Only from work given to in().
    FakeEngine &engine() { return *m_engine; }

private:
    QThread m_thread;
    QObject m_context;
    std::unique_ptr<FakeEngine> m_engine;
};
