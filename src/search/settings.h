#pragma once

#include "diagnostics/int16.h"

#include <QList>
#include <QString>

#include <variant>

// The persisted options of section "settings", named by their keys. A fresh Settings holds
// the value each key takes when it is missing, from settingkeys(); the members therefore carry
// no initialisers of their own.
struct Settings
{
    Settings();

    bool showrunning;
    bool uselog;
    bool isautoconnect;
    bool isautodisconnect;
    bool autostart;
    bool contexthelp;
    bool searchhour;
    bool searchday;
    bool searchweek;
    bool schedulerunning;
    bool useapi;
    bool useproxy;

    QString proxyserver;
    QString proxyport;
    QString proxyuser;
    QString proxypass;
    QString apikey;
    QString colorscheme;

    Int16 maxconnections;
    Int16 inettimeout;

    QString readfile;
    QString writefile;
    QString historyfile;
    QString schedulefile;
    QString htmlfile;
    QString csvfile;

    // Where searches go: a host name with an optional ":port".
    QString searchhost;
    QString apihost;
    // Ranking changes: the fewest places that count as a move, and the program that is given
    // the summary on its standard input ("" for none).
    Int16 alertdelta;
    QString alertcommand;

    // Where the update check asks for the current version: a host name with an optional ":port".
    QString updatehost;

    // Which search service answers: "html", "soap", "searxng" or "serpapi"; its address (for the
    // JSON services, e.g. "https://searx.example:8443") and its key.
    QString engine;
    QString engineurl;
    QString enginekey;
    // The upstream engines a SearXNG instance is asked to use ("google", "google,bing"); "" for
    // the instance's own choice.
    QString searxngengines;

    // A PEM file of certificate authorities trusted beside the system's for "https://" hosts.
    QString cafile;
    // Re-connects of one page before its keyword gives up; 0 (kept as such in the settings
    // file) re-connects without end.
    Int16 maxretries;
    // Milliseconds between two requests to the same host, plus up to half of it at random.
    Int16 requestdelay;
    // Search the keywords in random order.
    bool shuffle;
    // The most bytes read of one reply; a longer one is cut there and its page read as it stands.
    qint64 maxreply;

    // Real result pages are far below this; a hostile one cannot grow memory without bound.
    static constexpr qint64 defaultMaxReply = 8 * 1024 * 1024;
    static constexpr qint64 leastMaxReply = 1024;
    static constexpr qint64 mostMaxReply = 1024 * 1024 * 1024;

    static QString standardScheme() { return QStringLiteral("Zorvane standard"); }
    static QString greyScheme() { return QStringLiteral("Windows Grey"); }
    static QString defaultSearchHost() { return QStringLiteral("www.google.com"); }
    static QString defaultApiHost() { return QStringLiteral("api.google.com"); }
    static QString defaultUpdateHost() { return QStringLiteral("www.zorvane.example"); }
};

// A member of Settings and the value it takes when its key is missing (for a number or a
// text also when it is stored empty or as 0).
template <typename T> struct SettingField
{
    T Settings::*member;
    T missing;
};
// Lets a table entry name its type through its member (aggregates deduce nothing by themselves
// before C++20's rule, which clang 14 lacks).
template <typename T> SettingField(T Settings::*, T) -> SettingField<T>;

// One key of section "settings"; its type (flag, 16-bit number, a size in bytes or text) is the
// field's.
struct SettingKey
{
    using Field = std::variant<SettingField<bool>, SettingField<Int16>, SettingField<qint64>, SettingField<QString>>;
    SettingKey(const QString &name, Field entry) : key(name), bytes(name.toLatin1()), field(std::move(entry)) {}

    QString key;
    QByteArray bytes; // the key as the settings file spells it (the names are ASCII)
    Field field;
};

// Every option, in the order of the Settings members (the flags in this order are also the
// order in which the store writes them).
const QList<SettingKey> &settingkeys();

// The entry of one member.
const SettingKey &settingkey(bool Settings::*member);
const SettingKey &settingkey(Int16 Settings::*member);
const SettingKey &settingkey(qint64 Settings::*member);
const SettingKey &settingkey(QString Settings::*member);

// The value a member takes when its key is missing.
template <typename T> T missingvalue(T Settings::*member)
{
    return std::get<SettingField<T>>(settingkey(member).field).missing;
}

// Gives the members the values they take when their keys are missing.
template <typename... T> void resetsettings(Settings &settings, T Settings::*...members)
{
    ((settings.*members = missingvalue(members)), ...);
}

// Changes the value a key takes when missing, for the rest of the run: tests show with it that
// every front end takes its start values from the table.
void setmissingvalue(bool Settings::*member, bool value);
void setmissingvalue(Int16 Settings::*member, Int16 value);
void setmissingvalue(qint64 Settings::*member, qint64 value);
void setmissingvalue(QString Settings::*member, const QString &value);
