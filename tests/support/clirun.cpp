#include "clirun.h"

#include <QTest>

namespace clirun {

std::unique_ptr<QProcess> start(const QStringList &args, const Options &options)
{
    auto process = std::make_unique<QProcess>();
    process->setWorkingDirectory(options.folder);
    if (!options.environment.isEmpty())
        process->setProcessEnvironment(options.environment);
    process->start(QStringLiteral(ZORVANE_CLI_PATH), args);
    return process;
}

Result finish(QProcess &process)
{
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, Timeout)) {
        process.kill();
        process.waitForFinished();
    }
    const bool ended = process.exitStatus() == QProcess::NormalExit && process.error() != QProcess::FailedToStart;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

Result run(const QStringList &args, const Options &options)
{
    return finish(*start(args, options));
}

bool said(const Result &result, int status, const QByteArray &message)
{
    const bool right = result.status == status && result.err.contains(message);
    if (!right)
        qWarning("status %d, standard error: %s", result.status, result.err.constData());
    return right;
}

} // namespace clirun
