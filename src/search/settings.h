#pragma once

#include "diagnostics/int16.h"

#include <QString>

// The persisted options of section "settings", named by their keys, with the values they
// take when the key is missing.
struct Settings
{
    bool showrunning = false;
    bool uselog = true;
    bool isautoconnect = false;
    bool isautodisconnect = false;
    bool autostart = false;
    bool contexthelp = true;
    bool searchhour = false;
    bool searchday = true;
    bool searchweek = false;
    bool schedulerunning = false;
    bool useapi = false;
    bool useproxy = false;

    QString proxyserver;
    QString proxyport;
    QString proxyuser;
    QString proxypass;
    QString apikey;
    QString colorscheme = standardScheme();

    Int16 maxconnections = 5;
    Int16 inettimeout = 60;

    QString readfile;
    QString writefile;
    QString historyfile;
    QString schedulefile;
    QString htmlfile;
    QString csvfile;

    // Where searches go: a host name with an optional ":port".
    QString searchhost = defaultSearchHost();
    QString apihost = defaultApiHost();
    // Where the update check asks for the current version: a host name with an optional ":port".
    QString updatehost = defaultUpdateHost();

    static QString standardScheme() { return QStringLiteral("Zorvane standard"); }
    static QString greyScheme() { return QStringLiteral("Windows Grey"); }
    static QString defaultSearchHost() { return QStringLiteral("www.google.com"); }
    static QString defaultApiHost() { return QStringLiteral("api.google.com"); }
    static QString defaultUpdateHost() { return QStringLiteral("www.zorvane.example"); }
};
