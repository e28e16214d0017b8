#include "secrets.h"

#include "search/settings.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

// Longer than any password or key; a file with a longer first line is not a secret's file.
constexpr qint64 LongestSecret = 4096;

} // namespace

namespace secrets {

const QList<Secret> &all()
{
    static const QList<Secret> list = {
        {u"--proxy-pass"_s, "ZORVANE_PROXY_PASS", &Settings::proxypass},
        {u"--api-key"_s, "ZORVANE_API_KEY", &Settings::apikey},
        {u"--engine-key"_s, "ZORVANE_ENGINE_KEY", &Settings::enginekey},
    };
    return list;
}

const Secret *find(const QString &arg)
{
    for (const Secret &secret : all()) {
        if (arg == secret.option || arg == secret.option + u"-file"_s)
            return &secret;
    }
    return nullptr;
}

QString resolve(const Secret &secret, const std::optional<QString> &value, const std::optional<QString> &file,
                std::optional<QString> &result)
{
    const QString fileoption = secret.option + u"-file"_s;
    if (value && file)
        return u"give either "_s + secret.option + u" or "_s + fileoption;
    if (value)
        result = *value;
    if (!file)
        return {};
    QFile in(*file);
    if (!in.open(QIODevice::ReadOnly))
        return fileoption + u": cannot read \""_s + *file + u"\": "_s + in.errorString();
    // The first line without its line end, so that `echo KEY > file` and an editor's file serve.
    // Decoded as the command line's arguments are, so a secret means the same bytes either way.
    const QByteArray head = in.read(LongestSecret + 2);
    QByteArray line = head.first(head.contains('\n') ? head.indexOf('\n') : head.size());
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() > LongestSecret)
        return fileoption + u": the first line of \""_s + *file + u"\" is too long for a secret"_s;
    if (line.isEmpty())
        return fileoption + u": \""_s + *file + u"\" holds nothing on its first line"_s;
    result = QString::fromLocal8Bit(line);
    return {};
}

void fromenvironment(Settings &settings)
{
    for (const Secret &secret : all()) {
        if (!qEnvironmentVariableIsEmpty(secret.variable))
            settings.*secret.member = qEnvironmentVariable(secret.variable);
    }
}

} // namespace secrets
