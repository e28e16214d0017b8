#include "diagnostics/errorreports.h"
#include "search/chunked.h"
#include "support/samplepages.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kHead = u"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"_s;

// Headers of exactly `length` characters before the chunked header line.
QString padded(int length)
{
    const QString first = u"HTTP/1.1 200 OK\r\nX-Pad: "_s;
    return first + QString(length - first.size() - 2, u'p') + u"\r\n"_s;
}

} // namespace

class TestChunked : public QObject
{
    Q_OBJECT

private slots:
    void init() { errorreports::reset(); }

    void dechunk_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("trapped");
        QTest::newRow("lower-case sizes") << kHead + u"1a\r\nabcdefghijklmnopqrstuvwxyz\r\n3\r\n123\r\n0\r\n\r\n"_s
                                          << u"abcdefghijklmnopqrstuvwxyz123"_s << false;
        QTest::newRow("upper-case sizes")
            << kHead + u"1A\r\nabcdefghijklmnopqrstuvwxyz\r\nB\r\n0123456789X\r\n0\r\n\r\n"_s
            << u"abcdefghijklmnopqrstuvwxyz0123456789X"_s << false;
        const QString body = samplepages::htmlbody(samplepages::widgethits());
        QTest::newRow("page in small chunks") << samplepages::chunkedresponse(body, 7, true) << body << false;
        QTest::newRow("page in large chunks") << samplepages::chunkedresponse(body, 4000) << body << false;
        const QString plain = samplepages::response(u"<html>x</html>"_s);
        QTest::newRow("not chunked") << plain << plain << false;
        const QString tail = u"Transfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n"_s;
        QTest::newRow("header at 486") << padded(485) + tail << u"abc"_s << false;
        QTest::newRow("header at 487") << padded(486) + tail << padded(486) + tail << false;
        QTest::newRow("no end of headers")
            << u"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n"_s << QString() << false;
        QTest::newRow("LF-only lines") << u"HTTP/1.1 200 OK\nTransfer-Encoding: chunked\n\n3\nabc\n0\n\n"_s << QString()
                                       << false;
        QTest::newRow("LF inside size skipped") << kHead + u"\n3\r\nabc\r\n0\r\n\r\n"_s << u"abc"_s << false;
        QTest::newRow("truncated chunk") << kHead + u"3\r\nabc\r\n10\r\nonly a few"_s << QString() << false;
        QTest::newRow("truncated size line") << kHead + u"3\r\nabc\r\n1"_s << QString() << false;
        QTest::newRow("no final empty line") << kHead + u"3\r\nabc\r\n0\r\n"_s << QString() << false;
        QTest::newRow("data up to the last character") << kHead + u"3\r\nabc"_s << QString() << false;
        QTest::newRow("extension corrupts the size") << kHead + u"3;x=1\r\nabc\r\n0\r\n\r\n"_s << QString() << false;
        QTest::newRow("16 hex digits") << kHead + u"ffffffffffffffff\r\nabc\r\n0\r\n\r\n"_s << QString() << false;
        QTest::newRow("16 upper-case digits")
            << kHead + u"FFFFFFFFFFFFFFFF\r\nabc\r\n0\r\n\r\n"_s << QString() << false;
        QTest::newRow("no CRLF after data") << kHead + u"3\r\nabcXY2\r\nde\r\n0\r\n\r\n"_s << u"abcde"_s << false;
        QTest::newRow("negative size") << kHead + u" \r\nabc\r\n"_s << QString() << true;
        QTest::newRow("NULs overflow the size") << kHead + QString(9, QChar(0)) + u"\r\nabc\r\n"_s << QString() << true;
    }

    void dechunk()
    {
        QFETCH(QString, text);
        QTEST(::dechunk(text), "expected");
        QTEST(!errorreports::errortext().isEmpty(), "trapped");
    }

    void lineEnds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("withcr");
        QTest::addColumn<QString>("withlf");
        QTest::newRow("mixed") << u"a\nb\r\nc\rd"_s << u"a\r\nb\r\r\nc\rd"_s << u"a\r\nb\r\ncd"_s;
        QTest::newRow("edges") << u"\n\r\n"_s << u"\r\n\r\r\n"_s << u"\r\n\r\n"_s;
        QTest::newRow("none") << u"plain"_s << u"plain"_s << u"plain"_s;
    }

    void lineEnds()
    {
        QFETCH(QString, text);
        QTEST(addcr(text), "withcr");
        QTEST(addlf(text), "withlf");
    }
};

QTEST_GUILESS_MAIN(TestChunked)
#include "tst_chunked.moc"
