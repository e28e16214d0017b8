#include "recordoptions.h"

namespace historyfile {

const QList<RecordOption> &recordoptions()
{
    using S = Settings;
    static const QList<RecordOption> table = [] {
        QList<RecordOption> t;
        const auto flag = [&t](const char *name, bool S::*member) { t.append({name, member}); };
        const auto text = [&t](const char *name, QString S::*member) { t.append({name, nullptr, member}); };
        const auto number = [&t](const char *name, Int16 S::*member) { t.append({name, nullptr, nullptr, member}); };
        flag("showrunning", &S::showrunning);
        flag("uselog", &S::uselog);
        flag("isautoconnect", &S::isautoconnect);
        flag("isautodisconnect", &S::isautodisconnect);
        flag("autostart", &S::autostart);
        flag("contexthelp", &S::contexthelp);
        flag("searchhour", &S::searchhour);
        flag("searchday", &S::searchday);
        flag("searchweek", &S::searchweek);
        // Whether the scheduler ran is not taken from an old record.
        t.append({"schedulerunning", &S::schedulerunning, nullptr, nullptr, nullptr, false});
        flag("useapi", &S::useapi);
        flag("useproxy", &S::useproxy);
        text("proxyserver", &S::proxyserver);
        text("proxyport", &S::proxyport);
        text("proxyuser", &S::proxyuser);
        const auto secret = [&t](const char *name, QString S::*member) {
            t.append({name, nullptr, member, nullptr, nullptr, true, true});
        };
        secret("proxypass", &S::proxypass);
        secret("apikey", &S::apikey);
        text("colorscheme", &S::colorscheme);
        text("readfilename", &S::readfile);
        text("writefilename", &S::writefile);
        text("historyfilename", &S::historyfile);
        // The scheduler's file dialog starts where the record says.
        t.append({"schedulefilename", nullptr, nullptr, nullptr, &WindowSettings::scheduledialogpath});
        text("htmlfilename", &S::htmlfile);
        number("maxconnections", &S::maxconnections);
        number("inettimeout", &S::inettimeout);
        return t;
    }();
    return table;
}

} // namespace historyfile
