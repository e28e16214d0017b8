#pragma once

class QAction;
class QMenuBar;

// The entries of the menu bar. Entries whose commands are not yet connected stay disabled.
struct MainMenus
{
    QAction *mnuload = nullptr;
    QAction *mnusave = nullptr;
    QAction *mnuhtml = nullptr;
    QAction *mnucsv = nullptr;
    QAction *mnumanhis = nullptr;
    QAction *mnuexit = nullptr;
    QAction *mnusearch = nullptr;
    QAction *mnuhistory = nullptr;
    QAction *mnuhistorydiff = nullptr;
    QAction *mnuanalyze = nullptr;
    QAction *mnustartschedule = nullptr;
    QAction *mnustopschedule = nullptr;
    QAction *mnuscheduleoptions = nullptr;
    QAction *mnuOptions = nullptr;
    QAction *mnuwinhelp = nullptr;
    QAction *mnuwebsite = nullptr;
    QAction *mnuabout = nullptr;

    // Fills `bar` with the menus, every entry disabled.
    static MainMenus create(QMenuBar &bar);
};
