#include "storage/profilefile.h"
#include "storage/servertools.h"
#include "support/faildevice.h"
#include "support/tempfolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

quint64 inode(const QString &path)
{
    struct stat st = {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        const auto row = [](const char *name, const QByteArray &file, const QByteArray &value,
                            const QByteArray &section = "s",
                            const QByteArray &key = "k") { QTest::newRow(name) << file << section << key << value; };
        row("latin-1 case", "[\xC9t\xE9]\r\nk=1\r\n", "1", "\xE9t\xC9", "K");
        row("section trimmed", "[ s ]\r\nk=v\r\n", "v");
        row("names asked trimmed", "[s]\r\nk=v\r\n", "v", " s ", "\tk");
        row("blanks", "\x1A[s]\x0C\r\n\x0B k \t=  v a l \t\x1A\r\n", "v a l");
        row("quoted blank", "[s]\r\nk=\" x\"\r\n", " x");
        row("single quotes", "[s]\r\nk='a b'\r\n", "a b");
        row("mixed quotes", "[s]\r\nk=\"a'\r\n", "\"a'");
        row("lone quote", "[s]\r\nk=\"\r\n", "\"");
        row("comment", "[s]\r\n ;k=v\r\n", "", "s", ";k");
        row("hash is text", "[s]\r\n#k=v\r\n", "v", "s", "#k");
        row("no trailing comment", "[s]\r\nk=v ; x\r\n", "v ; x");
        row("no equals", "[s]\r\nk\r\n", "");
        row("empty name", "[s]\r\n=v\r\n", "v", "s", "");
        row("second equals", "[s]\r\nk=a=b\r\n", "a=b");
        row("open bracket key", "[s]\r\n[t=1\r\n", "1", "s", "[t");
        row("rest ignored", "[s] x\r\nk=v\r\n", "v");
        row("last bracket", "[a]b]\r\nk=v\r\n", "v", "a]b");
        row("first section wins", "[s]\r\na=1\r\n[S]\r\nk=2\r\n", "");
        row("first key wins", "[s]\r\nk=1\r\nK=2\r\n", "1");
        row("before sections", "k=1\r\n[s]\r\nk=2\r\n", "1", "");
        row("cr and lf alone", "[a]\rk=1\n[s]\nk=2\r", "2");
        row("no last line end", "[s]\r\nk=2", "2");
        row("utf-8 bom", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "");
        row("missing section", "[s]\r\nk=v\r\n", "", "t");
        row("missing key", "[s]\r\nj=v\r\n", "");
    }

    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        const ProfileFile profile = ProfileFile::fromBytes(file);
        QTEST(profile.value(section, key), "value");
        // Unchanged, the file goes back exactly as it came.
        QCOMPARE(profile.toBytes(), file);
    }

    void editKeepsTheRest_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("after");
        const auto row = [](const char *name, const QByteArray &before, const QByteArray &section,
                            const QByteArray &key, const QByteArray &after, const QByteArray &value = "1") {
            QTest::newRow(name) << before << section << key << value << after;
        };
        const QByteArray head = "; hand made\r\n\r\n[Settings]\r\n  UseLog = 0 \r\n"_ba;
        const QByteArray tail = "\r\n; the domains\n[url1]\rurl=a\r\n"_ba;
        row("replace", head + tail, "settings", "uselog", "; hand made\r\n\r\n[Settings]\r\nUseLog=1\r\n" + tail);
        row("new key", head + tail, "SETTINGS", "apikey", head + "apikey=\r\n" + tail, "");
        row("new section", head + tail, "URL2", "url", head + tail + "[URL2]\r\nurl=1\r\n");
        row("no last line end", "[s]\r\nk=0", "s", "j", "[s]\r\nk=0\r\nj=1\r\n");
        row("keeps lone line end", "[s]\nk=0\n", "s", "k", "[s]\nk=1\n");
        row("empty section", "[s]\r\n\r\n[t]\r\n", "s", "k", "[s]\r\nk=1\r\n\r\n[t]\r\n");
        row("header at end", "[s]", "s", "k", "[s]\r\nk=1\r\n");
        row("after plain line", "[s]\r\nk=0\r\nnote\r\n;c\r\n", "s", "j", "[s]\r\nk=0\r\nnote\r\nj=1\r\n;c\r\n");
        row("empty file", "", "s", "k", "[s]\r\nk=1\r\n");
        row("first duplicate", "[s]\r\nk=0\r\n[s]\r\nk=2\r\n", "s", "k", "[s]\r\nk=1\r\n[s]\r\nk=2\r\n");
    }

    void editKeepsTheRest()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        ProfileFile profile = ProfileFile::fromBytes(before);
        QVERIFY(profile.setValue(section, key, value));
        QTEST(profile.toBytes(), "after");
        QCOMPARE(profile.value(section, key), value);
    }

    void unchangedValueWritesNothing()
    {
        ProfileFile profile = ProfileFile::fromBytes("[s]\r\nk = v \r\n");
        QVERIFY(!profile.setValue("S", "K", "v"));
        QVERIFY(!profile.isModified());
        // A leading blank is lost on reading, so it counts as a change.
        QVERIFY(profile.setValue("s", "k", " v"));
        QCOMPARE(profile.value("s", "k"), "v"_ba);
        // Each change leaves the key findable under any spelling.
        QVERIFY(profile.setValue("s", "K", "w"));
        QVERIFY(profile.setValue("s", "k", "x"));
        QVERIFY(profile.setValue("S", "new", "y"));
        QCOMPARE(profile.value("s", "k"), "x"_ba);
        QCOMPARE(profile.toBytes(), "[s]\r\nk=x\r\nnew=y\r\n"_ba);

        TempProgramFolder folder;
        const QString path = folder.file(u"z.ini"_s);
        QVERIFY(writebytes(path, "[s]\r\nk=v\r\n"));
        const quint64 before = inode(path);
        QVERIFY(servertools::writeini(u"v"_s, u"k"_s, u"s"_s, u"z.ini"_s));
        QCOMPARE(inode(path), before);
        QVERIFY(servertools::writeini(u"w"_s, u"k"_s, u"s"_s, u"z.ini"_s));
        QCOMPARE(folder.read(u"z.ini"_s), "[s]\r\nk=w\r\n"_ba);
    }

    void copiesKeepTheirOwnLines()
    {
        // New lines share blocks of text between copies: each keeps its own, whichever goes first.
        for (const bool firstGoes : {false, true}) {
            ProfileFile first = ProfileFile::fromBytes("[s]\r\nk=v\r\n");
            QVERIFY(first.setValue("s", "a", "1"));
            ProfileFile second = first;
            for (int i = 0; i < 300; ++i) {
                QVERIFY(first.setValue("s", QByteArray("key" + QByteArray::number(i)), QByteArray(20, 'x')));
                QVERIFY(second.setValue("t", "k", QByteArray::number(i)));
            }
            (firstGoes ? first : second) = ProfileFile();
            const ProfileFile &kept = firstGoes ? second : first;
            QCOMPARE(kept.value("s", "a"), "1"_ba);
            QCOMPARE(kept.lineCount(), firstGoes ? 5 : 303);
            QVERIFY(kept.toBytes().startsWith("[s]\r\nk=v\r\na=1\r\n"));
            QCOMPARE(kept.value(firstGoes ? "t" : "s", firstGoes ? "k" : "key299"),
                     firstGoes ? "299"_ba : QByteArray(20, 'x'));
        }
    }

    void writtenWholeInBlocks()
    {
        // Written a block at a time: lines across a block's end, and one longer than a block.
        ProfileFile profile = ProfileFile::fromBytes("[s]\r\nk=v");
        for (int i = 0; i < 3000; ++i)
            QVERIFY(profile.setValue("s", QByteArray("key" + QByteArray::number(i)), QByteArray(i % 50, 'v')));
        QVERIFY(profile.setValue("t", "long", QByteArray(70000, 'x')));
        QVERIFY(profile.setValue("t", "after", "y"));
        QByteArray written;
        QBuffer file(&written);
        QVERIFY(file.open(QIODevice::WriteOnly) && profile.write(&file));
        QCOMPARE(written.size(), profile.toBytes().size());
        QVERIFY(written == profile.toBytes());
        QVERIFY(written.endsWith(QByteArray("long=" + QByteArray(70000, 'x') + "\r\nafter=y\r\n")));
    }

    void valuesKeepTheirOuterText_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readBack");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << u"a b"_s << u"a b"_s << "k=a b\r\n"_ba;
        QTest::newRow("outer spaces") << u" two words "_s << u" two words "_s << "k=\" two words \"\r\n"_ba;
        QTest::newRow("quoted") << u"'x'"_s << u"'x'"_s << "k=\"'x'\"\r\n"_ba;
        QTest::newRow("line break") << u"a\r\nb"_s << u"a  b"_s << "k=a  b\r\n"_ba;
        QTest::newRow("injection") << u"x\n[settings]"_s << u"x [settings]"_s << "k=x [settings]\r\n"_ba;
        // The file's code page has no character above 255: each UTF-16 unit of one is a "?".
        QTest::newRow("beyond the code page") << u"é€😀"_s << u"é???"_s << "k=\xe9???\r\n"_ba;
        // A long value reads back as long as the reader takes one, cut after its quotes go.
        QTest::newRow("long") << u' ' + QString(300, u'x') << u' ' + QString(253, u'x')
                              << "k=\" " + QByteArray(300, 'x') + "\"\r\n";
    }

    void valuesKeepTheirOuterText()
    {
        QFETCH(QString, value);
        TempProgramFolder folder;
        QVERIFY(servertools::writeini(value, u"k"_s, u"s"_s, u"z.ini"_s));
        QTEST(servertools::readini(u"k"_s, u"s"_s, u"z.ini"_s), "readBack");
        QFETCH(QByteArray, line);
        QCOMPARE(folder.read(u"z.ini"_s), "[s]\r\n" + line);
    }

    // A batch reads its file once and writes it once, other files apart. A write that fails (a
    // full device, a missing folder) says so; a file that exists but cannot be read is never
    // replaced by what little is known.
    void batchesAndFailedWrites()
    {
        TempProgramFolder folder;
        QVERIFY(folder.write(u"z.ini"_s, "[s]\r\nk=1\r\n"));
        {
            servertools::IniBatch batch(u"z.ini"_s);
            QCOMPARE(servertools::readini(u"k"_s, u"s"_s, u"z.ini"_s), u"1"_s);
            QVERIFY(servertools::writeini(u"2"_s, u"k"_s, u"s"_s, u"z.ini"_s));
            QCOMPARE(servertools::readini(u"k"_s, u"s"_s, u"z.ini"_s), u"2"_s);
            QVERIFY(servertools::writeini(u"x"_s, u"k"_s, u"s"_s, u"other.ini"_s));
            QCOMPARE(folder.read(u"other.ini"_s), "[s]\r\nk=x\r\n"_ba);
            QCOMPARE(folder.read(u"z.ini"_s), "[s]\r\nk=1\r\n"_ba);
            QVERIFY(batch.save());
        }
        QCOMPARE(folder.read(u"z.ini"_s), "[s]\r\nk=2\r\n"_ba);

        FailDevice full(5);
        QVERIFY(full.open(QIODevice::WriteOnly));
        QVERIFY(!ProfileFile::fromBytes("[s]\r\nk=v\r\n").write(&full));
        QVERIFY(!servertools::writeini(u"v"_s, u"k"_s, u"s"_s, u"sub/z.ini"_s));
        QVERIFY(QDir(folder.path()).mkdir(u"dir.ini"_s));
        servertools::IniBatch batch(u"dir.ini"_s);
        QCOMPARE(servertools::readini(u"k"_s, u"s"_s, u"dir.ini"_s), QString());
        servertools::writeini(u"v"_s, u"k"_s, u"s"_s, u"dir.ini"_s);
        QVERIFY(!batch.save());
        QVERIFY(QFileInfo(folder.file(u"dir.ini"_s)).isDir());
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
