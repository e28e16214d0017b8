#include "settings.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

QList<SettingKey> &table();

const Settings &probe()
{
    static const Settings settings;
    return settings;
}

// Where a member lies in a Settings: it names the member whatever its type.
template <typename T> qsizetype placeof(T Settings::*member)
{
    const Settings &settings = probe();
    return reinterpret_cast<const char *>(&(settings.*member)) - reinterpret_cast<const char *>(&settings);
}

// Start-up and shut-down ask for thousands of entries: each is found by where its member lies.
template <typename T> SettingKey &entryof(T Settings::*member)
{
    static const QList<qsizetype> entries = [] {
        QList<qsizetype> result(sizeof(Settings), -1);
        for (qsizetype i = 0; i < table().size(); ++i)
            std::visit([&](const auto &field) { result[placeof(field.member)] = i; }, table().at(i).field);
        return result;
    }();
    const qsizetype index = entries.at(placeof(member));
    Q_ASSERT(index >= 0);
    return table()[qMax<qsizetype>(index, 0)];
}

template <typename T> void setmissing(T Settings::*member, const T &value)
{
    std::get<SettingField<T>>(entryof(member).field).missing = value;
}

} // namespace

Settings::Settings()
{
    for (const SettingKey &entry : settingkeys())
        std::visit([this](const auto &field) { this->*field.member = field.missing; }, entry.field);
}

namespace {

// Built once, apart from table(): a function that builds the list in place carries its
// temporaries' stack frame on every call.
QList<SettingKey> maketable()
{
    using S = Settings;
    return {
        {u"showrunning"_s, SettingField{&S::showrunning, false}},
        {u"uselog"_s, SettingField{&S::uselog, true}},
        {u"isautoconnect"_s, SettingField{&S::isautoconnect, false}},
        {u"isautodisconnect"_s, SettingField{&S::isautodisconnect, false}},
        {u"autostart"_s, SettingField{&S::autostart, false}},
        {u"contexthelp"_s, SettingField{&S::contexthelp, true}},
        {u"searchhour"_s, SettingField{&S::searchhour, false}},
        {u"searchday"_s, SettingField{&S::searchday, true}},
        {u"searchweek"_s, SettingField{&S::searchweek, false}},
        {u"schedulerunning"_s, SettingField{&S::schedulerunning, false}},
        {u"useapi"_s, SettingField{&S::useapi, false}},
        {u"useproxy"_s, SettingField{&S::useproxy, false}},
        {u"proxyserver"_s, SettingField{&S::proxyserver, QString()}},
        {u"proxyport"_s, SettingField{&S::proxyport, QString()}},
        {u"proxyuser"_s, SettingField{&S::proxyuser, QString()}},
        {u"proxypass"_s, SettingField{&S::proxypass, QString()}},
        {u"apikey"_s, SettingField{&S::apikey, QString()}},
        {u"colorscheme"_s, SettingField{&S::colorscheme, S::standardScheme()}},
        {u"maxconnections"_s, SettingField{&S::maxconnections, Int16(5)}},
        {u"inettimeout"_s, SettingField{&S::inettimeout, Int16(60)}},
        {u"readfile"_s, SettingField{&S::readfile, QString()}},
        {u"writefile"_s, SettingField{&S::writefile, QString()}},
        {u"historyfile"_s, SettingField{&S::historyfile, QString()}},
        {u"schedulefile"_s, SettingField{&S::schedulefile, QString()}},
        {u"htmlfile"_s, SettingField{&S::htmlfile, QString()}},
        {u"csvfile"_s, SettingField{&S::csvfile, QString()}},
        {u"searchhost"_s, SettingField{&S::searchhost, S::defaultSearchHost()}},
        {u"apihost"_s, SettingField{&S::apihost, S::defaultApiHost()}},
        {u"alertdelta"_s, SettingField{&S::alertdelta, Int16(3)}},
        {u"alertcommand"_s, SettingField{&S::alertcommand, QString()}},
        {u"updatehost"_s, SettingField{&S::updatehost, S::defaultUpdateHost()}},
        {u"engine"_s, SettingField{&S::engine, u"html"_s}},
        {u"engineurl"_s, SettingField{&S::engineurl, QString()}},
        {u"enginekey"_s, SettingField{&S::enginekey, QString()}},
        {u"searxngengines"_s, SettingField{&S::searxngengines, QString()}},
        {u"cafile"_s, SettingField{&S::cafile, QString()}},
        {u"maxretries"_s, SettingField{&S::maxretries, Int16(10)}},
        {u"requestdelay"_s, SettingField{&S::requestdelay, Int16(0)}},
        {u"shuffle"_s, SettingField{&S::shuffle, false}},
        {u"maxreply"_s, SettingField{&S::maxreply, S::defaultMaxReply}},
    };
}

QList<SettingKey> &table()
{
    static QList<SettingKey> keys = maketable();
    return keys;
}

} // namespace

const QList<SettingKey> &settingkeys()
{
    return table();
}

const SettingKey &settingkey(bool Settings::*member)
{
    return entryof(member);
}

const SettingKey &settingkey(Int16 Settings::*member)
{
    return entryof(member);
}

const SettingKey &settingkey(qint64 Settings::*member)
{
    return entryof(member);
}

const SettingKey &settingkey(QString Settings::*member)
{
    return entryof(member);
}

void setmissingvalue(bool Settings::*member, bool value)
{
    setmissing(member, value);
}

void setmissingvalue(Int16 Settings::*member, Int16 value)
{
    setmissing(member, value);
}

void setmissingvalue(qint64 Settings::*member, qint64 value)
{
    setmissing(member, value);
}

void setmissingvalue(QString Settings::*member, const QString &value)
{
    setmissing(member, value);
}
