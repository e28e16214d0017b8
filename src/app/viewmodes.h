#pragma once

#include <QString>

// What each view mode shows: 0 current searches, 1 history, 2 analysis of the current
// results, 3 analysis of the history.
struct ViewModeTexts
{
    QString titlab;
    QString labhistory;
    QString chkhistoryfirst;
    QString dohistory;
    QString mnuhistory;
    QString doanalyze;
    int doanalyzetop = 0;
    int firsthelpicon = 0;
    int lasthelpicon = 0;
};

namespace viewmodes {

constexpr int Searches = 0;
constexpr int History = 1;
constexpr int Analysis = 2;
constexpr int HistoryAnalysis = 3;

// Helpicons 0 to 19 belong to the main view; higher ones to the pop-up panels.
constexpr int MainViewHelpIcons = 20;
// The one panel icon that stays hidden whatever the context-help setting.
constexpr int HiddenPanelIcon = 43;

// The texts of `mode`; `nodomains` gives the searches view its introduction as title.
ViewModeTexts texts(int mode, bool nodomains);

} // namespace viewmodes
