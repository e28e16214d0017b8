#include "app/colorschemes.h"
#include "app/errorreportcontroller.h"
#include "app/errorreportpanel.h"
#include "app/historyfilescontroller.h"
#include "app/historypanels.h"
#include "app/popuppanel.h"
#include "app/qtprompts.h"
#include "app/schedulercontroller.h"
#include "app/searchcontroller.h"
#include "storage/historyfile.h"
#include "support/desktop.h"
#include "support/mockclock.h"
#include "support/sampledata.h"
#include "support/testfiledialogs.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>

namespace {

// The window at a fixed time, with a domain whose two keywords share a top URL.
struct Window : Desktop
{
    MockClock clock{QDateTime(QDate(2026, 3, 1), QTime(10, 0))};
    TestFileDialogs dialogs;

    explicit Window(Prompts *boxes = nullptr)
    {
        open(boxes).setfiledialogs(&dialogs);
        setresults(3);
        window->search().filldomains();
    }
    // Closed while the clock and the dialogs it was given are still there.
    ~Window() { close(); }
    void setresults(int alphaposition)
    {
        const QString page = Site + u"a.html"_s;
        state->urldata = sample::array<SearchSession>({sample::domain(
            Site, {sample::keyword(u"alpha"_s, {u"http://x.example/"_s, page}, {}, {{page, {}, {}, alphaposition, {}}}),
                   sample::keyword(u"beta"_s, {u"http://x.example/"_s, u"http://y.example/"_s})})});
        state->txturl = Site;
    }
    void save(const QString &file)
    {
        dialogs.setNextFileName(file);
        window->menus().mnusave->trigger();
    }
    HistoryFilesController &files() const { return window->historyfiles(); }
    ListView *view() const { return window->controls().history.historyview; }
};

// Presses buttons of the window's real message boxes, built but never shown: the next of
// `presses`, or none when they are used up. Keeps each box's text and buttons.
struct BoxPresser
{
    QList<QMessageBox::StandardButton> presses;
    QStringList asked;

    void operator()(QMessageBox &box)
    {
        const QMetaEnum names = QMetaEnum::fromType<QMessageBox::StandardButtons>();
        QStringList buttons;
        for (const auto button : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            if (box.standardButtons().testFlag(button))
                buttons << QString::fromLatin1(names.valueToKey(button));
        asked << box.text() + u" [" + buttons.join(u'/') + u']';
        if (QAbstractButton *button = box.button(presses.isEmpty() ? QMessageBox::NoButton : presses.takeFirst()))
            button->click();
    }
    // The boxes `action` shows, pressing `buttons` in turn.
    QStringList ask(const QList<QMessageBox::StandardButton> &buttons, const std::function<void()> &action)
    {
        presses = buttons;
        asked.clear();
        action();
        return asked;
    }
};

QStringList items(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// What is wrong with the controls `roots` show (buttons, boxes, lists' lines, labels' texts),
// each scrolled into sight where it scrolls: hidden at a corner or its centre, overlapping
// another, unnamed for a screen reader or missed by Tab, or Tab going back up or left.
QStringList faults(QWidget &client, const QList<QWidget *> &roots)
{
    QStringList faults;
    QList<std::tuple<QWidget *, QWidget *, QRect>> placed; // control, the surface it moves with, place
    QList<QWidget *> todo = roots;
    while (!todo.isEmpty()) {
        QWidget *c = todo.takeFirst();
        const auto *label = qobject_cast<QLabel *>(c);
        if (!c->isVisible() || qobject_cast<QHeaderView *>(c) || (label && label->text().isEmpty()))
            continue;
        const bool command = qobject_cast<QAbstractButton *>(c) || qobject_cast<QLineEdit *>(c) ||
                             qobject_cast<QComboBox *>(c) || (c->focusPolicy() & Qt::TabFocus);
        if (auto *list = qobject_cast<ListView *>(c))
            c = list->tree(); // the list may hold a bar above its lines
        else if (!label && !command) {
            todo << c->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
            continue;
        }
        if (!label && !(c->focusPolicy() & Qt::TabFocus))
            faults << c->objectName() + u" is not reached by Tab"_s;
        QWidget *surface = &client;
        for (QWidget *up = c->parentWidget(); up != &client; up = up->parentWidget()) {
            if (auto *area = qobject_cast<QScrollArea *>(up)) {
                area->ensureWidgetVisible(c, 0, 0);
                surface = area->widget();
            }
        }
        // A label's text may end well before its box does.
        const int width =
            label ? std::min(c->width(),
                             label->fontMetrics().boundingRect(c->rect(), Qt::TextWordWrap, label->text()).width() + 4)
                  : c->width();
        placed.append({c, surface, QRect(c->mapTo(surface, QPoint()), QSize(width, c->height()))});
        const QRect in = QRect(c->mapTo(&client, QPoint()), QSize(width, c->height())).adjusted(2, 2, -2, -2);
        for (const QPoint point : {in.center(), in.topLeft(), in.topRight(), in.bottomLeft(), in.bottomRight()}) {
            QWidget *top = client.childAt(point);
            if (top != c && !c->isAncestorOf(top))
                faults << c->objectName() + u" hidden"_s;
        }
        if (!label && QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name).isEmpty())
            faults << c->objectName() + u" has no accessible name"_s;
    }
    for (const auto &[a, sa, ra] : placed)
        for (const auto &[b, sb, rb] : placed)
            if (a < b && sa == sb && ra.intersects(rb))
                faults << a->objectName() + u" overlaps "_s + b->objectName();
    QList<std::tuple<QWidget *, QWidget *, QRect>> chain; // the controls Tab stops at, in its order
    for (QWidget *w = client.nextInFocusChain(); w != &client; w = w->nextInFocusChain()) {
        for (const auto &p : placed)
            if (std::get<0>(p) == w && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !chain.contains(p))
                chain << p;
    }
    for (int i = 1; i < int(chain.size()); ++i) {
        const auto &[wa, sa, a] = chain[i - 1];
        const auto &[wb, sb, b] = chain[i];
        if (sa == sb && (b.top() < a.top() - 10 || (qAbs(b.top() - a.top()) <= 10 && b.left() <= a.left())))
            faults << u"Tab goes back to "_s + wb->objectName();
    }
    faults.removeDuplicates();
    return faults;
}

} // namespace

class TestHistoryWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(u"Fusion"_s); }

    // Every question the window asks, through the real message box: the buttons it offers and
    // what each of them does. OK/Cancel where Cancel alone cancels; Yes/No/Cancel only where No
    // has a meaning of its own or anything but Yes stops. A file that cannot be written or read
    // is said once, in plain words with the file and the reason, never as an error report, and
    // nothing is said to be done. Between them, the history view, LOAD DATA and the analysis.
    void historyAndMessageBoxes()
    {
        using B = QMessageBox::StandardButton;
        BoxPresser boxes;
        QtPrompts prompts(nullptr, std::ref(boxes));
        Window w(&prompts);
        const QString sav = w.folder.file(u"h.sav"_s), html = w.folder.file(u"r.html"_s);
        const QString csv = w.folder.file(u"r.csv"_s), missing = w.folder.file(u"missing.sav"_s);
        QVERIFY(writebytes(html, "old") && writebytes(csv, "old"));
        const auto chosen = [&](const QString &file, const std::function<void()> &action) {
            return [&w, file, action] {
                w.dialogs.setNextFileName(file);
                action();
            };
        };
        QVERIFY(QDir(w.folder.path()).mkdir(u"folder.sav"_s));
        errorreports::reset();
        const MainMenus &menus = w.window->menus();
        const struct
        {
            QString file;
            QAction *command;
            QString message;
        } problems[] = {
            {w.folder.file(u"missing/h.sav"_s), menus.mnusave, u"Could not write %1: No such file or directory"_s},
            {w.folder.file(u"missing/r.html"_s), menus.mnuhtml, u"Could not write %1: No such file or directory"_s},
            {w.folder.file(u"folder.sav"_s), menus.mnuload, u"Could not read %1: file to open is a directory"_s},
        };
        for (const auto &row : problems) {
            const QString said = row.message.arg(row.file);
            boxes.ask({}, chosen(row.file, [&] { row.command->trigger(); }));
            QTRY_COMPARE(boxes.asked, QStringList{said + u" [Ok]"_s});
            QVERIFY(w.running().contains(said));
        }
        QVERIFY(errorreports::errortext().isEmpty() && w.shell.opened.isEmpty());
        QVERIFY(!w.running().contains(u"Saved"_s) && !w.running().contains(u"loaded"_s));

        const auto report = chosen(html, [&] { w.window->menus().mnuhtml->trigger(); });
        QCOMPARE(boxes.ask({B::Cancel}, report), QStringList{u"File exists, Overwrite ?  [Ok/Cancel]"_s});
        QCOMPARE(readbytes(html), "old");
        boxes.ask({B::Ok}, report);
        QVERIFY(readbytes(html).startsWith("<html>") && readbytes(html).contains("http://x.example/"));
        QCOMPARE(w.shell.opened, QStringList{html}); // handed to the browser
        QCOMPARE(w.state->settings.htmlfile, html);

        QVERIFY(boxes.ask({}, [&] { w.save(sav); }).isEmpty()); // a new file
        QCOMPARE(boxes.ask({B::No}, [&] { w.save(sav); }),
                 QStringList{u"File exists, Yes=Overwrite No=Add ?  [Yes/No/Cancel]"_s});
        w.clock.advanceSeconds(3600);
        w.setresults(7);
        boxes.ask({B::No}, [&] { w.save(sav); });

        // The history view of the three saves: its filters, its lines, a sort and the export of
        // what the filters leave; then LOAD DATA picks the oldest record, and the analysis ranks
        // what was loaded.
        const Array1<SearchSession> shown = w.state->urldata;

        w.dialogs.setNextFileName(sav);
        w.window->controls().buttons.dohistory->click();
        QCOMPARE(int(w.state->viewmode), 1);
        const HistoryControls &h = w.window->controls().history;
        QCOMPARE(items(h.historydates).size(), 4);
        QCOMPARE(h.historydates->currentText(), u"(Show ALL)"_s);
        QCOMPARE(h.historyurls->currentText(), Site);
        QCOMPARE(items(h.historykeys), (QStringList{u"(Show ALL)"_s, u"alpha"_s, u"beta"_s}));
        QCOMPARE(w.view()->headertext(1), u"DATE"_s);
        QCOMPARE(rows(w.view(), {2}), (QStringList{u"3"_s, u"3"_s, u"7"_s}));
        QCOMPARE(w.state->urldata, shown);

        // A header click sorts by position, a second one the other way round.
        emit w.view()->columnclick(3, u"Position"_s);
        emit w.view()->columnclick(3, u"Position"_s);
        QCOMPARE(rows(w.view(), {2}), (QStringList{u"7"_s, u"3"_s, u"3"_s}));
        // Picking the first date leaves the lines of its two records.
        h.historydates->setCurrentIndex(1);
        emit h.historydates->activated(1);
        QCOMPARE(rows(w.view(), {2}), (QStringList{u"3"_s, u"3"_s}));

        // Export to CSV asks before it replaces a file, and writes the lines the filters leave, not
        // the whole history.
        const auto exportcsv = chosen(csv, [&] { w.window->menus().mnucsv->trigger(); });
        QCOMPARE(boxes.ask({B::Cancel}, exportcsv), QStringList{csv + u" already exists. Replace it? [Ok/Cancel]"_s});
        QCOMPARE(readbytes(csv), "old");
        boxes.ask({B::Ok}, exportcsv);
        const QByteArray exported = readbytes(csv);
        const QList<QByteArray> records = exported.split('\n');
        QCOMPARE(records.size(), 4); // header, two lines, the empty rest after the last "\r\n"
        QVERIFY(records[1].contains(QByteArray("," + Site.toUtf8() + ",alpha,3," + Site.toUtf8() + "a.html,")));
        QCOMPARE(w.state->settings.csvfile, csv);

        w.window->menus().mnuhistory->trigger();
        QCOMPARE(int(w.state->viewmode), 0);

        // LOAD DATA offers every record, the newest chosen; the oldest replaces the results.
        w.setresults(1);
        w.dialogs.setNextFileName(sav);
        w.window->controls().buttons.doload->click();
        SelectReadFrame &panel = w.files().fraselectread();
        QVERIFY(panel.isVisibleTo(w.window.get()));
        QCOMPARE(panel.seldate()->count(), 3);
        QCOMPARE(panel.seldate()->currentIndex(), 2);
        panel.seldate()->setCurrentIndex(0);
        panel.cmdloadcontinue()->click();
        QVERIFY(!panel.isVisibleTo(w.window.get()));
        QCOMPARE(int(w.state->urldata[1].keys[1].positions[1].position), 3);

        // The analysis of the loaded results: ranking with a separator, the detail panel, the way
        // back.
        w.window->controls().buttons.doanalyze->click();
        QCOMPARE(int(w.state->viewmode), 2);
        QCOMPARE(rows(w.view(), {0, 2}),
                 (QStringList{u"http://x.example/|1"_s, u"|"_s, Site + u"a.html|2"_s, u"http://y.example/|2"_s}));
        QVERIFY(!h.historydates->isVisibleTo(w.window.get()));
        w.view()->tree()->setCurrentItem(w.view()->tree()->topLevelItem(0));
        emit w.view()->itemclick();
        QVERIFY(h.historydetailview->isVisibleTo(w.window.get()));
        QCOMPARE(h.historydetailview->itemcount(), 2);
        w.view()->tree()->setCurrentItem(w.view()->tree()->topLevelItem(1));
        emit w.view()->itemclick();
        QVERIFY(!h.historydetailview->isVisibleTo(w.window.get()));
        w.window->menus().mnuanalyze->trigger();
        QCOMPARE(int(w.state->viewmode), 0);

        const auto results = chosen(sav, [&] { w.window->scheduler().cmdschedulebrowse_Click(); });
        QCOMPARE(boxes.ask({B::Cancel}, results),
                 QStringList{u"File exists, Add results to existing file?  [Ok/Cancel]"_s});
        QVERIFY(w.state->settings.schedulefile.isEmpty());
        boxes.ask({B::Ok}, results);
        QCOMPARE(w.state->settings.schedulefile, sav);

        const auto load = chosen(missing, [&] { w.window->controls().buttons.doload->click(); });
        QCOMPARE(boxes.ask({B::Cancel}, load), QStringList{u"File doesn't exist!  [Ok/Cancel]"_s});
        QCOMPARE(boxes.ask({B::Ok}, load),
                 (QStringList{u"File doesn't exist!  [Ok/Cancel]"_s, u"File doesn't exist!  [Ok]"_s,
                              u"No suitable data in file [Ok]"_s}));

        // Manage History deletes a date of the file read, not after a file without records nor
        // once the name was changed; the two records of the older date go after OK, none after
        // Cancel, and the newer date is left.
        w.window->menus().mnumanhis->trigger();
        ManageHistoryFrame &manage = w.files().frahistory();
        QVERIFY(manage.isVisibleTo(w.window.get()) && !manage.mhdates()->isVisibleTo(w.window.get()));
        const auto read = [&](const QString &file) {
            manage.txtmhfile()->setText(file);
            return boxes.ask({B::Ok}, [&] { manage.cmdmhread()->click(); });
        };
        const auto remove = [&](B press) { return boxes.ask({press}, [&] { manage.cmdmhdelete()->click(); }); };
        QVERIFY(read(sav).isEmpty());
        QCOMPARE(read(csv), QStringList{u"No suitable data in file [Ok]"_s});
        QVERIFY(remove(B::Ok).isEmpty() && !manage.cmdmhdelete()->isVisibleTo(w.window.get()));
        QVERIFY(read(sav).isEmpty());
        QTest::keyClicks(manage.txtmhfile(), u"x"_s);
        QVERIFY(remove(B::Ok).isEmpty() && !manage.cmdmhdelete()->isVisibleTo(w.window.get()));
        QCOMPARE(readbytes(csv), exported);
        QVERIFY(read(sav).isEmpty());
        QCOMPARE(manage.mhdates()->currentIndex(), manage.mhdates()->count() - 1); // the newest
        const QString newer = manage.mhdates()->currentText();
        manage.mhdates()->setCurrentIndex(0);
        const QByteArray before = readbytes(sav);
        QCOMPARE(remove(B::Cancel), QStringList{u"Do you want to delete 2 records of "_s +
                                                manage.mhdates()->currentText() + u" from h.sav ? [Ok/Cancel]"_s});
        QCOMPARE(readbytes(sav), before);
        remove(B::Ok);
        QCOMPARE(items(manage.mhdates()), QStringList{newer});
        QCOMPARE(historyfile::readhistory(sav).ubound(), 1);
        manage.cmdmhclose()->click();
        QVERIFY(!manage.isVisibleTo(w.window.get()));

        // A domain is added on Yes only, and removed on Yes only.
        const SearchControls &domains = w.window->controls().search;
        domains.txturls->setEditText(u"new.example"_s);
        const QString add = u"Do you want to add new.example to the list of selected domains ? [Yes/No/Cancel]"_s;
        QCOMPARE(boxes.ask({B::No}, [&] { domains.cmdsavechanges->click(); }), QStringList{add});
        QCOMPARE(w.state->urldata.ubound(), 1);
        boxes.ask({B::Yes}, [&] { domains.cmdsavechanges->click(); });
        QCOMPARE(w.state->urldata.ubound(), 2);
        domains.txturls->setEditText(u"new.example"_s);
        QCOMPARE(boxes.ask({B::No}, [&] { domains.cmddeletedomain->click(); }),
                 QStringList{u"Do you want to remove new.example and any associated data ? [Yes/No/Cancel]"_s});
        QCOMPARE(w.state->urldata.ubound(), 2);
    }

    // Every view and panel at the window's design size and at its smallest: its controls seen
    // whole, named for a screen reader and visited by Tab in reading order; an opened panel has
    // the keyboard.
    void panelsandkeys_data()
    {
        QTest::addColumn<bool>("smallest");
        QTest::addColumn<QString>("view"); // a view mode, a panel's name, or one of the two below
        const QStringList views =
            QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"analysis detail"_s, u"manage with an error"_s} +
            colorschemes::popuppanels();
        for (const bool smallest : {false, true})
            for (const QString &view : views)
                QTest::addRow("%s, %s size", qPrintable(view), smallest ? "smallest" : "design") << smallest << view;
    }
    void panelsandkeys()
    {
        QFETCH(bool, smallest);
        QFETCH(QString, view);
        Window w;
        MainWindow &m = *w.window;
        QVERIFY(QTest::qWaitForWindowExposed(&m));
        m.resize(smallest ? QSize(1, 1) : m.size());
        m.Form_Resize();
        QList<QWidget *> shown{m.centralWidget()};
        auto *panel = m.centralWidget()->findChild<PopupPanel *>(view);
        if (view.size() == 1) {
            m.displaybits(view.toInt());
        } else if (view == u"analysis detail") {
            m.controls().buttons.doanalyze->click();
            w.view()->tree()->setCurrentItem(w.view()->tree()->topLevelItem(0));
            emit w.view()->itemclick();
            shown = {m.controls().history.historydetailview, m.controls().history.hdvclose};
        } else if (view == u"manage with an error") {
            // A failure while the manage panel is open: the report's panel stays on top.
            m.menus().mnumanhis->trigger();
            m.errorreports().raiseerrorreport();
            QTest::keyClicks(w.files().frahistory().txtmhfile(), u"h"_s);
            shown = {&m.errorreports().fraerrorreport()};
        } else {
            panel->setshown(true);
            shown = {panel};
        }
        QCoreApplication::processEvents();
        const QStringList found = faults(*m.centralWidget(), shown);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u"; "_s)));
        // An opened panel has the keyboard.
        QVERIFY(panel == nullptr || panel->focusWidget() == nullptr || panel->isAncestorOf(m.focusWidget()));
    }
};

QTEST_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
