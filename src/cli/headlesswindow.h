#pragma once

#include "search/searchwindow.h"

#include <QStringList>

#include <functional>

struct SearchState;

// The window's controls as plain values, for the command line and the tests. The results
// "view" is the shared state itself: disres copies each job's status into its keywords'
// `action`, which is all a front end without a list needs.
class HeadlessWindow : public SearchWindow
{
public:
    // Receives each message-box line, already stamped ("date-time-text").
    using LineSink = std::function<void(const QString &line)>;

    explicit HeadlessWindow(SearchState &state, LineSink sink = {});

    QString txturlsText() const override { return m_txturlsText; }
    void setTxturlsText(const QString &text) override { m_txturlsText = text; }
    void addTxturlsItem(const QString &text) override { m_txturlsItems.append(text); }
    void clearTxturls() override;
    const QStringList &txturlsItems() const { return m_txturlsItems; }

    QString txtkeysText() const override { return m_txtkeys; }
    int txtkeysSelStart() const override { return m_selstart; }
    int txtkeysSelLength() const override { return m_sellength; }
    void setTxtkeysSelection(int start, int length) override;
    void setTxtkeysText(const QString &text);

    QString pagedepthText() const override { return m_pagedepth; }
    void setPagedepthText(const QString &text) { m_pagedepth = text; }
    bool chkstopafterhit() const override { return m_stopafterhit; }
    void setChkstopafterhit(bool on) { m_stopafterhit = on; }
    bool chkdispfirst() const override { return m_dispfirst; }
    void setChkdispfirst(bool on) { m_dispfirst = on; }
    SearchLocale searchlocale() const override { return m_locale; }
    void setSearchlocale(const SearchLocale &locale) { m_locale = locale; }

    void writemessagebox(const QString &text) override;
    void disres() override;
    void disall() override;
    void clearresults() override {}
    void setResultslab1(const QString &text) override { m_resultslab1 = text; }
    QString resultslab1() const { return m_resultslab1; }
    void setSearchstatus(const QString &text) override { m_searchstatus = text; }
    QString searchstatus() const { return m_searchstatus; }
    void setRestxt(const QString &text) override { m_restxt = text; }
    // As the box shows it.
    QString restxt() const;

    void showWarning(const QString &text) override;
    void hideWarning() override { m_warningVisible = false; }
    bool warningVisible() const { return m_warningVisible; }
    QString lblwarn() const { return m_lblwarn; }

    int flasher() const override { return m_flasher; }
    void setFlasher(int colour) override { m_flasher = colour; }
    void checkstatus() override {}
    void displaybits(int mode) override { m_viewmode = mode; }
    int viewmode() const { return m_viewmode; }

protected:
    SearchState &m_state;

private:
    LineSink m_sink;
    QString m_txturlsText;
    QStringList m_txturlsItems;
    QString m_txtkeys;
    int m_selstart = 0;
    int m_sellength = 0;
    QString m_pagedepth;
    bool m_stopafterhit = false;
    bool m_dispfirst = false;
    SearchLocale m_locale;
    QString m_resultslab1;
    QString m_searchstatus;
    QString m_restxt;
    bool m_warningVisible = false;
    QString m_lblwarn;
    int m_flasher = 255;
    int m_viewmode = 0;
};
