// The menu bar. Entries whose commands are not yet connected stay disabled.

#include "mainwindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::Literals::StringLiterals;

void MainWindow::createMenus()
{
    struct Entry
    {
        QString name;
        QString caption;
    };
    auto addmenu = [this](const QString &name, const QString &caption, const QList<Entry> &entries) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        for (const Entry &entry : entries) {
            if (entry.name.isEmpty()) {
                menu->addSeparator();
                continue;
            }
            QAction *action = menu->addAction(entry.caption);
            action->setObjectName(entry.name);
            action->setEnabled(false);
            m_menuentries.insert(entry.name, action);
        }
    };
    addmenu(u"mnufile"_s, u"&File"_s,
            {{u"mnuload"_s, u"&Load data..."_s},
             {u"mnusave"_s, u"&Save data..."_s},
             {},
             {u"mnuhtml"_s, u"Save results to &HTML file..."_s},
             {u"mnumanhis"_s, u"&Manage history files..."_s},
             {},
             {u"mnuexit"_s, u"E&xit"_s}});
    addmenu(u"mnusearchmenu"_s, u"&Search"_s, {{u"mnusearch"_s, u"&Search now"_s}});
    addmenu(u"mnuhistorymenu"_s, u"&History"_s, {{u"mnuhistory"_s, u"Open"_s}});
    addmenu(u"mnuanalyzemenu"_s, u"&Analyze"_s, {{u"mnuanalyze"_s, u"Show Analysis"_s}});
    addmenu(u"mnuschedulemenu"_s, u"S&chedule"_s,
            {{u"mnustartschedule"_s, u"&Start scheduled searches"_s},
             {u"mnustopschedule"_s, u"S&top scheduled searches"_s},
             {},
             {u"mnuscheduleoptions"_s, u"Schedule &options..."_s}});
    addmenu(u"mnutools"_s, u"&Tools"_s, {{u"mnuOptions"_s, u"&Options..."_s}});
    addmenu(u"mnuhelp"_s, u"Hel&p"_s,
            {{u"mnuwinhelp"_s, u"Windows Help"_s},
             {u"mnuwebsite"_s, u"Zorvane on the Web"_s},
             {},
             {u"mnuabout"_s, u"About"_s}});
    QAction *exit = menuentry(u"mnuexit"_s);
    exit->setEnabled(true);
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &QWidget::close);
}
