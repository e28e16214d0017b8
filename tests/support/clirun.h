#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <memory>

// The built zorvane-cli, run by the tests of the command line.
namespace clirun {

// What a run left: the exit status (-1 when it did not end by itself), and what it printed.
struct Result
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// The working folder (the test's own when empty) and the environment (the test's own when empty).
struct Options
{
    QString folder;
    QProcessEnvironment environment;
};

// How long any wait on zorvane-cli lasts at most: far beyond any command's time under the
// sanitizers on a loaded machine, so that only a run that hangs reaches it.
constexpr int Timeout = 120000;

// Starts zorvane-cli with args; finish() waits for it.
std::unique_ptr<QProcess> start(const QStringList &args, const Options &options = {});

// Waits for the end of the run while this test's event loop serves the fake engines and hosts;
// a run that has not ended within Timeout is killed and gets status -1.
Result finish(QProcess &process);

Result run(const QStringList &args, const Options &options = {});

// Whether the run ended with `status` and its standard error holds `message`; when not, the test's
// log shows what it said.
bool said(const Result &result, int status, const QByteArray &message);

} // namespace clirun
