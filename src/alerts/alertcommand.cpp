#include "alertcommand.h"

#include "diagnostics/guard.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <memory>

using namespace Qt::Literals::StringLiterals;

AlertCommand::AlertCommand(QObject *parent) : QObject(parent) {}

void AlertCommand::start(const QString &command, const QString &text)
{
    guard("Alerts", "Sub alertcommand", [&] {
        QStringList arguments = QProcess::splitCommand(command);
        if (arguments.isEmpty())
            return;
        const QString lead = u"The alert command \""_s + command + u"\" "_s;
        auto *process = new QProcess(this);
        auto *limit = new QTimer(process);
        limit->setSingleShot(true);
        process->setProgram(arguments.takeFirst());
        process->setArguments(arguments);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        ++m_running;
        connect(process, &QProcess::errorOccurred, this, [this, process, lead](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return;
            process->deleteLater();
            ended(lead + u"could not be started: "_s + process->errorString());
        });
        auto timedout = std::make_shared<bool>(false);
        connect(limit, &QTimer::timeout, process, [process, timedout] {
            *timedout = true;
            process->kill();
        });
        connect(process, &QProcess::finished, this,
                [this, process, lead, timedout](int status, QProcess::ExitStatus how) {
                    process->deleteLater();
                    if (*timedout)
                        ended(lead + u"did not end within "_s + QString::number(TimeLimitMs / 1000) +
                              u" seconds and was stopped"_s);
                    else if (how == QProcess::CrashExit)
                        ended(lead + u"ended abnormally"_s);
                    else if (status != 0)
                        ended(lead + u"ended with status "_s + QString::number(status));
                    else
                        ended({});
                });
        process->start(QIODevice::ReadWrite);
        limit->start(TimeLimitMs);
        // Buffered until the program has started; a program that never starts drops it.
        process->write(text.toUtf8() + '\n');
        process->closeWriteChannel();
    });
}

void AlertCommand::ended(const QString &problem)
{
    --m_running;
    emit finished(problem);
    if (m_running == 0)
        emit allfinished();
}

void AlertCommand::waitall()
{
    if (m_running == 0)
        return;
    QEventLoop loop;
    connect(this, &AlertCommand::allfinished, &loop, &QEventLoop::quit);
    loop.exec();
}
