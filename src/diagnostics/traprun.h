#pragma once

#include "errorreports.h"

// The steps of a loop that may each fail the same way, such as a counter passing its bound
// once per occurrence counted. Each failing step ends as a guarded procedure ends, but the
// error trap gets one report per run of the same failure, its description followed by how
// often it happened, when the run ends: at a different failure, at flush() or at the end.
class TrapRun final
{
public:
    explicit TrapRun(const char *module) : m_module(module) {}
    ~TrapRun() { flush(); }
    TrapRun(const TrapRun &) = delete;
    TrapRun &operator=(const TrapRun &) = delete;

    // procedure must be a string literal, as for guard().
    template <typename Body> void step(const char *procedure, Body &&body) noexcept
    {
        errorreports::addtrace(m_module, procedure);
        try {
            body();
        } catch (...) {
            failed();
        }
    }
    // Reports the run so far, if any.
    void flush() noexcept;

private:
    void failed() noexcept;

    const char *m_module;
    errorreports::Trapped m_first;
    long long m_count = 0;
};
