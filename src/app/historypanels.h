#pragma once

#include "popuppanel.h"

class QComboBox;
class QLineEdit;
struct ManagePanel;
struct SelectReadPanel;

// The date-choice panel `fraselectread`: which saved search of a file to load.
class SelectReadFrame final : public PopupPanel
{
    Q_OBJECT
public:
    explicit SelectReadFrame(QWidget &client);

    // Shows the panel as the load command left it, and reads the user's pick back.
    void show(const SelectReadPanel &panel);
    void read(SelectReadPanel &panel) const;

    QComboBox *seldate() const { return m_seldate; }
    QPushButton *cmdloadcontinue() const { return m_cmdloadcontinue; }
    QPushButton *cmdloadcancel() const { return m_cmdloadcancel; }

private:
    QComboBox *m_seldate;
    QPushButton *m_cmdloadcontinue;
    QPushButton *m_cmdloadcancel;
};

// The manage-history panel `frahistory`: pick a file, read its dates, delete one.
class ManageHistoryFrame final : public PopupPanel
{
    Q_OBJECT
public:
    explicit ManageHistoryFrame(QWidget &client);

    void show(const ManagePanel &panel);
    void read(ManagePanel &panel) const;

    QLineEdit *txtmhfile() const { return m_txtmhfile; }
    QComboBox *mhdates() const { return m_mhdates; }
    QPushButton *cmdmhbrowse() const { return m_cmdmhbrowse; }
    QPushButton *cmdmhread() const { return m_cmdmhread; }
    QPushButton *cmdmhdelete() const { return m_cmdmhdelete; }
    QPushButton *cmdmhclose() const { return m_cmdmhclose; }

private:
    QLineEdit *m_txtmhfile;
    QComboBox *m_mhdates;
    QLabel *m_mhlab2;
    QLabel *m_mhlab3;
    QPushButton *m_cmdmhbrowse;
    QPushButton *m_cmdmhread;
    QPushButton *m_cmdmhdelete;
    QPushButton *m_cmdmhclose;
};
