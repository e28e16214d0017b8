#pragma once

#include "errorreports.h"
#include "failure.h"

namespace errorreports {
// Hands the exception being handled to the error trap; called only from a catch block.
void trapcurrent(const char *module) noexcept;
} // namespace errorreports

// The lead-in and the boundary of every procedure: records the trace entry, runs the body,
// and hands any failure to the error trap. The procedure then returns whatever it had set
// so far, so callers carry on:
//
//     QString strip(const QString &text)
//     {
//         QString result;
//         guard("Requests", "Function strip", [&] { ... result = ...; });
//         return result;
//     }
template <typename Body> void guard(const char *module, const char *procedure, Body &&body) noexcept
{
    errorreports::addtrace(module, procedure);
    try {
        body();
    } catch (...) {
        errorreports::trapcurrent(module);
    }
}
