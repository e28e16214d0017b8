#include "diagnostics/failure.h"
#include "support/desktop.h"
#include "views/wholecombobox.h"

#include <QApplication>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QToolTip>

class TestListView : public QObject
{
    Q_OBJECT

    static void addresultcolumns(ListView &list)
    {
        const QStringList headers = {u"URL"_s, u"Search term"_s, u"Position"_s, u"Exact URL"_s, u"Operation"_s};
        const int widths[] = {1980, 1738, 735, 3330, 2145};
        for (int i = 0; i < 5; ++i)
            list.addcolumn(headers.at(i), widths[i]);
    }

private slots:
    // Columns, lines and their subitems count from 1; widths are kept in twips and shown at the
    // screen's scale; one line is selected at a time, as in the results and history lists. Then
    // the same list on screen.
    void linesColumnsAndScreen()
    {
        ListView list;
        list.setdpi(120);
        addresultcolumns(list);
        QCOMPARE(list.headertext(3), u"Position"_s);
        // Widths come back exactly as set, and are shown at the screen's scale, also after it changes.
        list.setcolumnwidth(4, 2000);
        QCOMPARE(list.tree()->columnWidth(3), 167); // 166.7
        list.setdpi(192);
        QCOMPARE(list.tree()->columnWidth(3), 267); // 266.7
        QCOMPARE(list.columnwidth(4), 2000);
        // A column the user dragged reads back in twips of its new pixel width.
        list.tree()->setColumnWidth(0, 200);
        QCOMPARE(list.columnwidth(1), 1500);
        QVERIFY_THROWS_EXCEPTION(Failure, list.headertext(0));
        QVERIFY_THROWS_EXCEPTION(Failure, list.columnwidth(6));

        for (const QString &text : {u"a"_s, u"b"_s, u"c"_s})
            list.additem(text);
        QCOMPARE(list.insertitem(1, u"new"_s).text(), u"new"_s);
        list.insertitem(5, u"end"_s);
        QCOMPARE(rows(&list, {0}), (QStringList{u"new"_s, u"a"_s, u"b"_s, u"c"_s, u"end"_s}));
        QVERIFY_THROWS_EXCEPTION(Failure, list.insertitem(0, u"x"_s));
        QVERIFY_THROWS_EXCEPTION(Failure, list.insertitem(7, u"x"_s));
        QVERIFY_THROWS_EXCEPTION(Failure, list.item(0));
        QVERIFY_THROWS_EXCEPTION(Failure, list.item(6));

        list.tree()->topLevelItem(1)->setSelected(true);
        QVERIFY(!list.item(1).selected() && list.item(2).selected());
        list.tree()->setCurrentItem(list.tree()->topLevelItem(2));
        QVERIFY(!list.item(2).selected() && list.item(3).selected());

        ListItem line = list.item(1);
        line.setsubitem(4, u"Done"_s);
        QCOMPARE(rows(&list, {0, 4}).first(), u"new|Done"_s);
        QVERIFY_THROWS_EXCEPTION(Failure, line.setsubitem(5, u"x"_s));
        QVERIFY_THROWS_EXCEPTION(Failure, line.subitem(0));
        const QColor normal = list.tree()->palette().color(QPalette::Text);
        line.setforecolor(Qt::blue);
        line.setsubitemforecolor(2, Qt::blue);
        QCOMPARE(list.item(1).subitemforecolor(2), QColor(Qt::blue));
        QCOMPARE(list.item(1).subitemforecolor(3), normal);

        list.clearitems();
        QCOMPARE(list.itemcount(), 0);
        QCOMPARE(list.columncount(), 5);
        list.additem(u"kept"_s);
        list.clearcolumns();
        QCOMPARE(list.columncount(), 0);
        QCOMPARE(list.itemcount(), 1);

        // On screen: a line's right click, text a column cuts (whole in a tool tip and after a double
        // click on the header's divider), and the order mark the view chose, whatever the header
        // makes of a click, following the header when the columns are made again. Header clicks
        // and a line's left click are tst_desktop's sorting and detail clicks.
        list.clearitems();
        list.setdpi(96);
        addresultcolumns(list);
        list.addcolumn(u"Ave. Position"_s, 500);
        line = list.additem(u"www.a-rather-long-domain-name.example"_s);
        line.setsubitem(2, u"7"_s);
        list.additem(u"b"_s);
        list.resize(1000, 300);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QTreeWidget *tree = list.tree();
        QHeaderView *header = tree->header();

        QSignalSpy releases(&list, &ListView::mouseup);
        const QRect second = tree->visualItemRect(tree->topLevelItem(1));
        QTest::mouseClick(tree->viewport(), Qt::RightButton, Qt::ShiftModifier, second.center());
        QCOMPARE(releases.size(), 1);
        QCOMPARE(releases.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(releases.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));

        const auto cell = [tree](int column) { return tree->visualRect(tree->model()->index(0, column)).center(); };
        const auto heading = [header](int column) {
            return QPoint(header->sectionViewportPosition(column) + 2, header->height() / 2);
        };
        QCOMPARE(list.cuttext(cell(0)), line.text());
        QCOMPARE(list.cuttext(cell(2)), QString());
        QCOMPARE(list.cutheader(heading(5)), u"Ave. Position"_s);
        QCOMPARE(list.cutheader(heading(1)), QString());
        QHelpEvent help(QEvent::ToolTip, cell(0), tree->viewport()->mapToGlobal(cell(0)));
        QApplication::sendEvent(tree->viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), line.text());
        for (const int column : {0, 5}) {
            const int divider = header->sectionViewportPosition(column) + header->sectionSize(column) - 1;
            QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(divider, header->height() / 2));
        }
        QCOMPARE(list.cuttext(cell(0)), QString());
        QCOMPARE(list.cutheader(heading(5)), QString());
        QVERIFY(list.columnwidth(1) > 1980);

        list.setsortmark(u"Position"_s, Qt::DescendingOrder);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(4) + 5, 5));
        QCOMPARE(sortmark(header), u"2 down"_s);
        list.clearcolumns();
        list.addcolumn(u"DATE"_s, 1780);
        QCOMPARE(sortmark(header), QString());
        addresultcolumns(list);
        QCOMPARE(sortmark(header), u"3 down"_s);
        list.setsortmark({}, Qt::AscendingOrder);
        QCOMPARE(sortmark(header), QString());

        // The history lists' date box: a drop-down list wide enough for its widest entry, and the
        // box's cut text in a tool tip.
        WholeComboBox box;
        const QString date = u"04-Dec-2026 10:20:00"_s;
        box.addItems({u"(Show ALL)"_s, date, u"a"_s});
        box.resize(90, box.sizeHint().height());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.setCurrentIndex(1);
        QCOMPARE(box.cuttext(), date);
        box.showPopup();
        QTRY_VERIFY(box.view()->isVisible());
        const QModelIndex entry = box.model()->index(1, 0);
        QVERIFY(box.view()->visualRect(entry).width() >= box.view()->sizeHintForIndex(entry).width());
        QVERIFY(box.view()->width() > box.width());
        box.hidePopup();
        box.setCurrentIndex(2);
        QCOMPARE(box.cuttext(), QString());
    }
};

QTEST_MAIN(TestListView)
#include "tst_listview.moc"
