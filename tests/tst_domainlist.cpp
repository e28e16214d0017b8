#include "app/appstate.h"
#include "diagnostics/errorreports.h"
#include "search/domainlist.h"
#include "support/testprompts.h"
#include "support/testwindow.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

struct DomainRig
{
    AppState state;
    TestWindow window{state};
    TestPrompts prompts;
    DomainList domains{state, window, prompts};

    void add(const QString &text, const QString &keys = u"alpha\r\nbeta"_s)
    {
        window.setTxturlsText(text);
        window.setTxtkeysText(keys);
        window.setPagedepthText(u"2"_s);
        domains.cmdadddomain_Click();
    }
    QStringList urls() const
    {
        QStringList list;
        for (const SearchSession &session : state.urldata)
            list << session.url;
        return list;
    }
};

class TestDomainList : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(errorreports::errortext(), QString()); }

    void sanitizeurl_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("capitals, scheme, prefix, spaces") << u"HTTP://WWW.My Site .Example"_s << u"mysite.example"_s;
        QTest::newRow("prefix and one character") << u"www.a"_s << u"a"_s;
        QTest::newRow("prefix alone") << u"www."_s << u"www."_s;
        QTest::newRow("scheme alone") << u"http://"_s << u"http://"_s;
        QTest::newRow("scheme and one character") << u"http://x"_s << u"x"_s;
        QTest::newRow("https kept") << u"https://www.a.example/"_s << u"https://www.a.example/"_s;
        QTest::newRow("prefix removed once") << u"www.www.a.example"_s << u"www.a.example"_s;
        QTest::newRow("path and port kept") << u"a.example:8080/x/"_s << u"a.example:8080/x/"_s;
    }
    void sanitizeurl()
    {
        QFETCH(QString, typed);
        DomainRig rig;
        rig.window.setTxturlsText(typed);
        QVERIFY(rig.domains.sanitizeurl());
        QTEST(rig.state.txturl, "normalised");
        QTEST(rig.window.txturlsText(), "normalised");
    }

    void addDomain()
    {
        DomainRig rig;
        rig.window.setChkstopafterhit(true);
        rig.add(u"A.example"_s);
        rig.add(u"b.example"_s, u"gamma"_s);
        QCOMPARE(rig.urls(), (QStringList{u"a.example"_s, u"b.example"_s}));
        QCOMPARE(rig.window.txturlsItems(), rig.urls());
        const SearchSession &a = rig.state.urldata[1];
        QCOMPARE(a.pagedepth, u"2"_s);
        QCOMPARE(a.checkstop, u"1"_s);
        QCOMPARE(a.checkfirst, u"0"_s);
        QCOMPARE(a.keys.ubound(), 2);
        QCOMPARE(a.keys[2].key, u"beta"_s);
        QCOMPARE(rig.window.lines().last(), u"Searching on keys gamma"_s);
        // Shown at once: the keyword box is rebuilt from the stored keys.
        QCOMPARE(rig.window.txtkeysText(), u"gamma\r\n"_s);

        rig.add(u"http://www.A.EXAMPLE"_s);
        QCOMPARE(rig.prompts.messages(), QStringList{u"Domain already in list"_s});
        QCOMPARE(rig.state.urldata.ubound(), 2);
        rig.add(u"   "_s);
        QCOMPARE(rig.state.urldata.ubound(), 2);
    }

    void deleteDomain()
    {
        DomainRig rig;
        rig.add(u"a.example"_s);
        rig.add(u"b.example"_s);
        rig.add(u"c.example"_s);
        rig.window.setTxturlsText(u"B.example"_s);
        rig.prompts.setNextAnswer(Prompts::Answer::Cancel);
        rig.domains.cmddeletedomain_Click();
        QCOMPARE(rig.prompts.questions().last(), u"Do you want to remove b.example and any associated data ?"_s);
        QCOMPARE(rig.state.urldata.ubound(), 3);
        rig.prompts.setNextAnswer(Prompts::Answer::Yes);
        rig.domains.cmddeletedomain_Click();
        QCOMPARE(rig.urls(), (QStringList{u"a.example"_s, u"c.example"_s}));
        QCOMPARE(rig.window.txturlsItems(), rig.urls());
        QCOMPARE(rig.window.txturlsText(), u"a.example"_s);
        QCOMPARE(rig.state.txturl, u"b.example"_s); // until the box is next normalised

        // An unlisted domain is replaced by the first listed one, without a question.
        rig.window.setTxturlsText(u"zzz.example"_s);
        rig.domains.cmddeletedomain_Click();
        QCOMPARE(rig.window.txturlsText(), u"a.example"_s);
        QCOMPARE(rig.prompts.questions().size(), 2);

        for (const QString &url : {u"a.example"_s, u"c.example"_s}) {
            rig.window.setTxturlsText(url);
            rig.prompts.setNextAnswer(Prompts::Answer::Yes);
            rig.domains.cmddeletedomain_Click();
        }
        QVERIFY(rig.state.urldata.isEmpty());
        QVERIFY(rig.window.txturlsItems().isEmpty());
    }

    void saveChanges()
    {
        DomainRig rig;
        rig.add(u"a.example"_s);
        rig.state.urldata[1].keys[1].positions.append(SearchHit{u"http://a.example/"_s, {}, {}, 3, {}});
        rig.window.setTxtkeysText(u"alpha\r\ndelta"_s);
        rig.window.setPagedepthText(u"5"_s);
        rig.domains.cmdsavechanges_Click();
        QCOMPARE(rig.state.urldata[1].pagedepth, u"5"_s);
        QCOMPARE(rig.state.urldata[1].keys[2].key, u"delta"_s);
        QVERIFY(rig.state.urldata[1].keys[1].positions.isEmpty());

        // A new domain is added only on Yes, since the list is not empty.
        rig.window.setTxturlsText(u"b.example"_s);
        rig.domains.cmdsavechanges_Click();
        QCOMPARE(rig.prompts.questions().last(), u"Do you want to add b.example to the list of selected domains ?"_s);
        QCOMPARE(rig.state.urldata.ubound(), 1);
        rig.prompts.setNextAnswer(Prompts::Answer::Yes);
        rig.domains.cmdsavechanges_Click();
        QCOMPARE(rig.urls(), (QStringList{u"a.example"_s, u"b.example"_s}));
    }

    void pickDomain()
    {
        DomainRig rig;
        rig.window.setChkdispfirst(true);
        rig.add(u"a.example"_s, u"one\r\ntwo"_s);
        rig.window.setChkdispfirst(false);
        rig.add(u"b.example"_s, u"three"_s);
        rig.window.setTxturlsText(u"A.EXAMPLE "_s);
        rig.domains.txturls_Click();
        QCOMPARE(rig.state.txturl, u"a.example"_s);
        QCOMPARE(rig.window.txtkeysText(), u"one\r\ntwo\r\n"_s);
        QVERIFY(rig.window.chkdispfirst());
    }
};

QTEST_GUILESS_MAIN(TestDomainList)
#include "tst_domainlist.moc"
