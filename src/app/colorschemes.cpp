#include "colorschemes.h"

#include "search/settings.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

quint32 SchemeColor::rgb() const
{
    return bgrtorgb(bgr);
}

namespace colorschemes {

namespace {

Palette standardpalette()
{
    const auto c = SchemeColor::fromBgr;
    return {c(0xFFC0C0), c(0xC0C0FF), c(0x00C000),
            c(0x00FF00), c(0xC0FFFF), c(0x8080FF),
            c(0x80FF80), c(0xC0FFC0), {c(0x00C000), c(0x008000), c(0xFF8080), 1, c(0xFF8080), c(0x80FF80)}};
}

Palette greypalette()
{
    const SchemeColor face = SchemeColor::systemFace();
    const SchemeColor black = SchemeColor::fromBgr(0x000000);
    return {
        face, face, face, face, face, face, face, SchemeColor::fromBgr(0xFFFFFF), {face, black, black, 0, black, face}};
}

} // namespace

Palette palettefor(const QString &scheme)
{
    return scheme == Settings::standardScheme() ? standardpalette() : greypalette();
}

QList<PaletteAssignment> assignments(const Palette &palette)
{
    return {
        {palette.panels, ColorRole::Panel, popuppanels()},
        {palette.message, ColorRole::Panel, {u"messageframe"_s, u"messagelab"_s}},
        {palette.domainbuttons,
         ColorRole::Button,
         {u"cmdadddomain"_s, u"cmddeletedomain"_s, u"cmdsavechanges"_s, u"cmdlocale"_s}},
        {palette.confirm,
         ColorRole::Button,
         {u"cmdwarnok"_s, u"cmdmhclose"_s, u"cmdscheduleopt"_s, u"cmdschedulebrowse"_s, u"btnoptionscont"_s,
          u"cmdgetapi"_s, u"cmdloadcontinue"_s, u"aboutok"_s, u"cmdlocaleok"_s, u"cmdtestservice"_s}},
        {palette.cancel,
         ColorRole::Button,
         {u"cmdscheduleoptcancel"_s, u"btnoptcancel"_s, u"cmdloadcancel"_s, u"visitdownload"_s, u"Autodownload"_s,
          u"messageok"_s, u"Contactquenlith"_s, u"cmdlocalecancel"_s}},
        {palette.filebuttons, ColorRole::Button, {u"cmdmhread"_s, u"cmdmhbrowse"_s, u"cmdmhdelete"_s, u"hdvclose"_s}},
        {palette.mainview,
         ColorRole::Label,
         {u"titlab"_s,      u"txturlslab1"_s,     u"txturlslab2"_s,     u"txturlslab3"_s,  u"txtkeyslab1"_s,
          u"txtkeyslab2"_s, u"txtkeyslab3"_s,     u"txtkeyslab4"_s,     u"pagelab1"_s,     u"pagelab2"_s,
          u"resultslab1"_s, u"chkdispfirst"_s,    u"chkstopafterhit"_s, u"labhis0"_s,      u"labhis1"_s,
          u"labhis2"_s,     u"chkhistoryfirst"_s, u"labhistory"_s,      u"searchstatus"_s, u"labscheduler"_s,
          u"historychart"_s}},
        {palette.textboxes,
         ColorRole::TextBox,
         {u"txturls"_s,           u"txtkeys"_s,        u"pagedepth"_s,       u"txtdisplay"_s,
          u"runningtext"_s,       u"historydates"_s,   u"historyurls"_s,     u"historykeys"_s,
          u"seldate"_s,           u"txtmhfile"_s,      u"mhdates"_s,         u"txtschedulefile"_s,
          u"chocolor"_s,          u"txtproxyserver"_s, u"txtproxyport"_s,    u"txtproxyuser"_s,
          u"txtproxypass"_s,      u"txtapikey"_s,      u"resultsview"_s,     u"historyview"_s,
          u"historydetailview"_s, u"restxt"_s,         u"errorreporttxt"_s,  u"historychart"_s,
          u"choengine"_s,         u"txtengineurl"_s,   u"txtenginekey"_s,    u"txtcafile"_s,
          u"txtrequestdelay"_s,   u"txtalertdelta"_s,  u"txtalertcommand"_s, u"txtsearxngengines"_s,
          u"txtcountry"_s,        u"txtlanguage"_s,    u"chodevice"_s,       u"txtlocation"_s,
          u"txtmaxreply"_s}},
    };
}

QString caption(const QString &button)
{
    static const QHash<QString, QString> captions = {
        {u"doload"_s, u"LOAD DATA"_s}, {u"dosave"_s, u"SAVE DATA"_s},       {u"doit"_s, u"SEARCH"_s},
        {u"dostop"_s, u"STOP !"_s},    {u"dohistory"_s, u"SHOW HISTORY"_s}, {u"doanalyze"_s, u"ANALYZE"_s},
        {u"dohelp"_s, u"HELP ?"_s},
    };
    return captions.value(button);
}

const QStringList &gradientbuttons()
{
    static const QStringList names = {u"doload"_s,    u"dosave"_s,    u"doit"_s,  u"dostop"_s,
                                      u"dohistory"_s, u"doanalyze"_s, u"dohelp"_s};
    return names;
}

const QStringList &popuppanels()
{
    static const QStringList names = {
        u"frawarntimed"_s, u"fraerrorreportdisplay"_s, u"fraerrorreport"_s, u"waitframe"_s,
        u"frahistory"_s,   u"fraselectread"_s,         u"messageframe"_s,   u"aboutframe"_s,
        u"fraoptions"_s,   u"frascheduleopt"_s,        u"fralocale"_s};
    return names;
}

} // namespace colorschemes
