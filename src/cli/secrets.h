#pragma once

#include <QList>
#include <QString>

#include <optional>

struct Settings;

// The secrets the command line takes: the proxy's password and the services' keys. Each comes
// from its option's value (which every user of the machine can read in the process list), from
// the first line of the file its "-file" option names, or from an environment variable. An
// option wins over the variable, and both over the settings file; neither is stored.
namespace secrets {

struct Secret
{
    QString option;       // "--proxy-pass"; its file form adds "-file"
    const char *variable; // "ZORVANE_PROXY_PASS"
    QString Settings::*member;
};

const QList<Secret> &all();
// The secret whose option, or its file form, `arg` is; nullptr for any other argument.
const Secret *find(const QString &arg);
// The secret given by its option's value or by its file (not both): into `result`, which stays
// as it was when neither is given. Returns an error text, or "".
QString resolve(const Secret &secret, const std::optional<QString> &value, const std::optional<QString> &file,
                std::optional<QString> &result);
// Each secret set in the environment, over the settings file's.
void fromenvironment(Settings &settings);

} // namespace secrets
