#include "stopsignals.h"

StopSignals::StopSignals(QObject *parent) : QObject(parent) {}

StopSignals::~StopSignals() = default;

QString StopSignals::name(int signal)
{
    return QStringLiteral("signal %1").arg(signal);
}
