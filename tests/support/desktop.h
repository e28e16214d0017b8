#pragma once

#include "app/appstate.h"
#include "app/gradientbutton.h"
#include "app/mainwindow.h"
#include "diagnostics/errorreports.h"
#include "platform/autostart.h"
#include "search/searchrun.h"
#include "support/fakeconnection.h"
#include "support/fakeengine.h"
#include "support/recordingdialup.h"
#include "support/recordingshell.h"
#include "support/tempfolder.h"
#include "support/testprompts.h"
#include "tray/trayicon.h"
#include "views/listview.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::Literals::StringLiterals;

inline const QString Site = u"http://www.mysite.example/"_s;

// Each line of a list as the texts of these columns (0 the line's own, 1 on its subitems),
// joined by '|'.
inline QStringList rows(const ListView *list, const QList<int> &columns)
{
    QStringList result;
    for (int i = 1; i <= list->itemcount(); ++i) {
        QStringList texts;
        for (const int column : columns)
            texts << (column == 0 ? list->item(i).text() : list->item(i).subitem(column));
        result << texts.join(u'|');
    }
    return result;
}

// The order a list's header marks, "2 up" or "2 down" (columns from 0); empty when none.
inline QString sortmark(const QHeaderView *header)
{
    if (!header->isSortIndicatorShown())
        return {};
    const bool down = header->sortIndicatorOrder() == Qt::DescendingOrder;
    return QString::number(header->sortIndicatorSection()) + (down ? u" down"_s : u" up"_s);
}

class RecordingAutostart final : public Autostart
{
public:
    void setstartupreg(bool enable) override { calls.append(enable); }
    QList<bool> calls;
};

// The program as a person meets it: a window in a program folder of its own, searching the
// fake engine, with message boxes answered by the test.
struct Desktop
{
    TempProgramFolder folder;
    FakeEngine engine;
    std::unique_ptr<AppState> state;
    TestPrompts prompts;
    FakeConnection connection;
    RecordingShell shell;
    RecordingAutostart autostart;
    RecordingDialup dialup;
    // An icon that believes in a notification area, which the offscreen desktop lacks.
    TrayIcon tray{QIcon(), true};
    std::unique_ptr<MainWindow> window;

    Desktop()
    {
        engine.listen();
        engine.place(u"alpha"_s, 3, Site + u"a.html"_s);
        engine.place(u"alpha"_s, 12, Site + u"b.html"_s);
        engine.place(u"beta"_s, 1, Site);
    }
    ~Desktop() { close(); }

    // boxes: the window's message boxes, when not the test's queue of answers.
    MainWindow &open(Prompts *boxes = nullptr)
    {
        window.reset();
        state = std::make_unique<AppState>();
        window = std::make_unique<MainWindow>(
            *state, MainWindow::Seams{boxes ? boxes : &prompts, &connection, &shell, &autostart, &dialup, &tray});
        state->settings.searchhost = engine.hostport();
        // The update check that starts with the window asks the fake engine, never the product's host.
        state->settings.updatehost = engine.hostport();
        window->searchrun().setTickLength(10);
        window->show();
        return *window;
    }
    void close()
    {
        if (window != nullptr)
            window->close();
        window.reset();
    }

    const MainControls &controls() const { return window->controls(); }
    const SearchControls &inputs() const { return window->controls().search; }
    void type(QWidget *box, const QString &text)
    {
        if (auto *combo = qobject_cast<QComboBox *>(box))
            box = combo->lineEdit();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        // Return between lines, as a person types them.
        QTest::keyClicks(box, QString(text).replace(u'\n', u'\r'));
    }
    void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    ListView *list() const { return window->controls().results.resultsview; }
    QTreeWidget *tree() const { return list()->tree(); }
    // Every line of the results list: search term, shown position and exact URL.
    QStringList lines() const { return rows(list(), {1, 2, 3}); }
    // A click on the header of a column (from 0).
    void clickheader(int column)
    {
        QHeaderView *header = tree()->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    void clickline(int index)
    {
        QTreeWidgetItem *item = tree()->topLevelItem(index - 1);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(item).center());
    }
    void pickdomain(int row)
    {
        QComboBox *domains = inputs().txturls;
        domains->showPopup();
        QAbstractItemView *popup = domains->view();
        QTRY_VERIFY(popup->isVisible());
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                          popup->visualRect(popup->model()->index(row, 0)).center());
    }
    QString running() const { return controls().status.runningtext->toPlainText(); }
    bool shown(const QWidget *widget) const { return widget->isVisibleTo(window.get()); }
};
