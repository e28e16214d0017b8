#include "app/appstate.h"
#include "app/gradientbutton.h"
#include "app/historydiffcontroller.h"
#include "app/historyviewcontroller.h"
#include "app/mainmenus.h"
#include "app/mainwindow.h"
#include "support/fakeconnection.h"
#include "support/tempfolder.h"
#include "support/testfiledialogs.h"
#include "support/testprompts.h"
#include "views/diffview.h"
#include "views/listview.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestDiffView : public QObject
{
    Q_OBJECT

private slots:
    // History > What changed...: the last two records for the domain filter's domain, in the
    // history view's colours; another date shows that pair.
    void whatchanged()
    {
        TempProgramFolder folder;
        QVERIFY(QFile::copy(QStringLiteral(ZORVANE_TEST_DATA) + u"/diff/two-records.sav"_s, folder.file(u"h.sav"_s)));
        AppState state;
        TestPrompts prompts;
        TestFileDialogs dialogs;
        FakeConnection connection;
        MainWindow window(state, MainWindow::Seams{&prompts, &connection});
        window.setfiledialogs(&dialogs);
        window.show();
        DiffView &view = window.historyview().diff().diffview();

        // Outside the history view there is nothing to compare.
        window.menus().mnuhistorydiff->trigger();
        QVERIFY(!view.isVisible());
        QCOMPARE(prompts.messages().size(), 1);

        dialogs.setNextFileName(folder.file(u"h.sav"_s));
        window.controls().buttons.dohistory->click();
        window.menus().mnuhistorydiff->trigger();
        QVERIFY(view.isVisible());
        QCOMPARE(view.dates(), (QStringList{u"01-Mar-2025 10:00:00"_s, u"02-Mar-2025 10:00:00"_s}));
        QCOMPARE(std::pair(view.from(), view.to()), std::pair(1, 2));
        ListView *list = view.historydiffview();
        QStringList lines;
        for (int i = 1; i <= list->itemcount(); ++i) {
            const ListItem item = list->item(i);
            lines << QStringList{item.text(), item.subitem(1), item.subitem(2), item.subitem(3), item.subitem(4)}.join(
                u'|');
        }
        QCOMPARE(lines, (QStringList{
                            u"a.example|shoes|5|3|position 5 -> 3"_s,
                            u"a.example|shoes|||page http://a.example/old replaced by http://a.example/new"_s,
                            u"a.example|shoes|||entered the top ten: http://new.example/"_s,
                            u"a.example|shoes|||left the top ten: http://gone.example/"_s,
                            u"a.example|shoes|||title of http://stay.example/: \"Stay\" -> \"Stay here\""_s,
                            u"a.example|gloves|7|unknown|position 7 -> unknown"_s,
                            u"a.example|hats||2|position not listed -> 2"_s,
                            u"a.example|boots|4||position 4 -> not listed"_s,
                        }));
        const QPalette &history = window.controls().history.historyview->palette();
        QCOMPARE(list->palette().color(QPalette::Base), history.color(QPalette::Base));
        QCOMPARE(list->palette().color(QPalette::Text), history.color(QPalette::Text));

        // A record against itself: nothing changed.
        auto *from = view.findChild<QComboBox *>(u"diffdatefrom"_s);
        from->setCurrentIndex(1);
        emit from->activated(1);
        QCOMPARE(list->itemcount(), 0);
    }
};

QTEST_MAIN(TestDiffView)
#include "tst_diffview.moc"
