#pragma once

#include <QList>

class GradientButton;
class ListView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QPixmap;
class QWidget;

// The program's emblem, size pixels square: a rising bar chart under a magnifying glass.
QPixmap emblem(int size, qreal ratio);

// The row of large buttons with the emblem, and the title line under it.
struct ButtonRow
{
    GradientButton *doload = nullptr;
    GradientButton *dosave = nullptr;
    GradientButton *doit = nullptr;
    GradientButton *dostop = nullptr;
    GradientButton *dohistory = nullptr;
    GradientButton *doanalyze = nullptr;
    GradientButton *dohelp = nullptr;
    QLabel *Picture1 = nullptr;
    QLabel *titlab = nullptr;

    QList<GradientButton *> gradientbuttons() const
    {
        return {doload, dosave, doit, dostop, dohistory, doanalyze, dohelp};
    }
};

// The domain and keyword inputs of the searches view.
struct SearchControls
{
    QLabel *txturlslab1 = nullptr;
    QLabel *txturlslab2 = nullptr;
    QLabel *txturlslab3 = nullptr;
    QComboBox *txturls = nullptr;
    QPushButton *cmdadddomain = nullptr;
    QPushButton *cmddeletedomain = nullptr;
    QPushButton *cmdsavechanges = nullptr;
    QPushButton *cmdlocale = nullptr; // where and on what the domain is searched
    QLabel *txtkeyslab1 = nullptr;
    QLabel *txtkeyslab2 = nullptr;
    QLabel *txtkeyslab3 = nullptr;
    QLabel *txtkeyslab4 = nullptr;
    QPlainTextEdit *txtkeys = nullptr;
    QLabel *pagelab1 = nullptr;
    QLineEdit *pagedepth = nullptr;
    QLabel *pagelab2 = nullptr;
    QCheckBox *chkstopafterhit = nullptr;
};

// The current results: the list, its detail box and the raw-response box over the list.
struct ResultsControls
{
    QLabel *resultslab1 = nullptr;
    QCheckBox *chkdispfirst = nullptr;
    ListView *resultsview = nullptr;
    QPlainTextEdit *txtdisplay = nullptr;
    QPlainTextEdit *restxt = nullptr;
};

// The filters and lists of the history and analysis views.
struct HistoryControls
{
    QLabel *labhis0 = nullptr;
    QLabel *labhis1 = nullptr;
    QLabel *labhis2 = nullptr;
    QComboBox *historydates = nullptr;
    QComboBox *historyurls = nullptr;
    QComboBox *historykeys = nullptr;
    QCheckBox *chkhistoryfirst = nullptr;
    QLabel *labhistory = nullptr;
    ListView *historyview = nullptr;
    ListView *historydetailview = nullptr;
    QPushButton *hdvclose = nullptr;
};

// The message box and the status line at the bottom of the window.
struct StatusControls
{
    QPlainTextEdit *runningtext = nullptr;
    QLabel *flasher = nullptr;
    QLabel *searchstatus = nullptr;
    QLabel *labscheduler = nullptr;
};

// Every control of the main view, filled once where the controls are created. Each carries
// its name as object name, the key of the design layout and of the colour scheme.
struct MainControls
{
    ButtonRow buttons;
    SearchControls search;
    ResultsControls results;
    HistoryControls history;
    StatusControls status;
    // The context-help icons 0 to 19.
    QList<QToolButton *> helpbuttons;

    // Creates the controls on `client` in their stacking order, with their design captions.
    static MainControls create(QWidget &client, qreal dpi, qreal pixelratio);

    // Shown only in the searches view, and only in the other three views.
    QList<QWidget *> searchcontrols() const;
    QList<QWidget *> historycontrols() const;
    // All of them but the help icons.
    QList<QWidget *> all() const;
};
