#include "mainmenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Entry
{
    // nullptr for a separator.
    QAction *MainMenus::*action;
    QString caption;
};

void addmenu(QMenuBar &bar, MainMenus &menus, const QString &caption, const QList<Entry> &entries)
{
    QMenu *menu = bar.addMenu(caption);
    for (const Entry &entry : entries) {
        if (entry.action == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(entry.caption);
        action->setEnabled(false);
        menus.*entry.action = action;
    }
}

} // namespace

MainMenus MainMenus::create(QMenuBar &bar)
{
    MainMenus m;
    addmenu(bar, m, u"&File"_s,
            {{&MainMenus::mnuload, u"&Load data..."_s},
             {&MainMenus::mnusave, u"&Save data..."_s},
             {nullptr, {}},
             {&MainMenus::mnuhtml, u"Save results to &HTML file..."_s},
             {&MainMenus::mnucsv, u"Export to &CSV..."_s},
             {&MainMenus::mnumanhis, u"&Manage history files..."_s},
             {nullptr, {}},
             {&MainMenus::mnuexit, u"E&xit"_s}});
    addmenu(bar, m, u"&Search"_s, {{&MainMenus::mnusearch, u"&Search now"_s}});
    addmenu(bar, m, u"&History"_s,
            {{&MainMenus::mnuhistory, u"Open"_s}, {&MainMenus::mnuhistorydiff, u"&What changed..."_s}});
    addmenu(bar, m, u"&Analyze"_s, {{&MainMenus::mnuanalyze, u"Show Analysis"_s}});
    addmenu(bar, m, u"S&chedule"_s,
            {{&MainMenus::mnustartschedule, u"&Start scheduled searches"_s},
             {&MainMenus::mnustopschedule, u"S&top scheduled searches"_s},
             {nullptr, {}},
             {&MainMenus::mnuscheduleoptions, u"Schedule &options..."_s}});
    addmenu(bar, m, u"&Tools"_s, {{&MainMenus::mnuOptions, u"&Options..."_s}});
    addmenu(bar, m, u"Hel&p"_s,
            {{&MainMenus::mnuwinhelp, u"Windows Help"_s},
             {&MainMenus::mnuwebsite, u"Zorvane on the Web"_s},
             {nullptr, {}},
             {&MainMenus::mnuabout, u"About"_s}});
    return m;
}
