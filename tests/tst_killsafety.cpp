#include "diagnostics/errorreports.h"
#include "storage/historyfile.h"
#include "storage/profilefile.h"
#include "support/clirun.h"
#include "support/fakeengine.h"
#include "support/tempfolder.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/mount.h>

using namespace Qt::Literals::StringLiterals;

namespace {

using Job = std::pair<QString, QStringList>; // the program folder and the command
using Result = std::pair<int, QByteArray>;   // the exit status (-9: killed) and standard error

// The records of a history file, none when reading it reports a failure.
Array1<HistoryEntry> records(const QString &path)
{
    errorreports::reset();
    const Array1<HistoryEntry> entries = historyfile::readhistory(path);
    return errorreports::errortext().isEmpty() ? entries : Array1<HistoryEntry>();
}

} // namespace

// zorvane-cli killed while it saves, deletes, writes the settings file or ends a scheduled
// cycle: by its own SIGKILL after a random number of the bytes, syncs, renames and removals of
// its file writers, so no kill depends on timing. Then a full disk, and who may read secrets.
class TestKillSafety : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    FakeEngine m_engine;
    QRandomGenerator m_random{20260301};
    int m_killed = 0;

    QString dir(const QString &name) const
    {
        QDir().mkpath(m_dir.filePath(name));
        return m_dir.filePath(name);
    }
    // The file `name` in folder c of `op`'s chains.
    QString in(const QString &op, int c, const QString &name = {}) const { return dir(op + QString::number(c)) + name; }
    QByteArray inifile() const
    {
        return "[settings]\r\ntxturl=mysite.example\r\ncounturls=1\r\nuselog=0\r\nproxypass=s3cret\r\napikey=k3y\r\n"
               "searchhost=" +
               m_engine.hostport().toLatin1() +
               "\r\n[URL1]\r\nurl=mysite.example\r\npagedepth=1\r\ncountkeys=2\r\nkeys1=blue widgets\r\nkeys2=red\r\n";
    }
    // The jobs side by side, each killed below `units` of file work (-1: never).
    QList<Result> run(const QList<Job> &jobs, qint64 units = -1)
    {
        std::vector<std::unique_ptr<QProcess>> started;
        for (const auto &[folder, args] : jobs) {
            clirun::Options options;
            options.environment = QProcessEnvironment::systemEnvironment();
            if (units >= 0)
                options.environment.insert(u"ZORVANE_TEST_KILL_AFTER"_s, QString::number(m_random.bounded(units)));
            started.push_back(clirun::start(QStringList{u"--dir"_s, folder} + args, options));
        }
        QList<Result> results;
        for (const std::unique_ptr<QProcess> &process : started) {
            const clirun::Result result = clirun::finish(*process);
            const bool killed = process->exitStatus() == QProcess::CrashExit;
            m_killed += killed;
            results.append({killed ? -9 : result.status, result.err});
        }
        return results;
    }
    Result run(const QString &folder, const QStringList &args) { return run(QList<Job>{{folder, args}}).first(); }

    // Trial i of 100 runs job(i) in folder op + (i % chains), the chains side by side, killed
    // below `units`; check(i, the file before, the file after, false) looks at what the kill left,
    // then the same job must succeed, and check(..., true).
    using Check = std::function<void(int, const QByteArray &old, const QByteArray &now, bool next)>;
    void killrepeatedly(const QString &op, int chains, const std::function<QStringList(int)> &job, const QString &file,
                        qint64 units, const Check &check)
    {
        for (int round = 0; round < 100 / chains; ++round) {
            QList<Job> jobs;
            QList<QByteArray> old;
            for (int c = 0; c < chains; ++c) {
                jobs.append({in(op, c), job(round * chains + c)});
                old.append(readbytes(jobs.last().first + file));
            }
            for (const bool next : {false, true}) {
                const QList<Result> results = run(jobs, next ? -1 : units);
                for (int c = 0; c < chains; ++c) {
                    // A delete killed after its rename has done its work: the date is gone.
                    const bool done = results[c].second.contains("does not match any entry");
                    QVERIFY2(!next || results[c].first == 0 || done, results[c].second.constData());
                    check(round * chains + c, old[c], readbytes(jobs[c].first + file), next);
                }
            }
        }
    }

private slots:
    // On a file system in memory where one can be mounted (as root), so that syncs cost nothing.
    void initTestCase()
    {
        QVERIFY(m_engine.listen());
        ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=64m");
    }
    void cleanupTestCase() { ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH); }

    // A save leaves every earlier byte and record, and a part of its own that the next save cuts
    // off; a delete leaves the old file or the new one, and so does a settings write. The three
    // take turns in the same ten folders.
    void killedSavesDeletesAndSettings()
    {
        const auto save = [&](int i) { return QStringList{u"history"_s, u"save"_s, in(u"k"_s, i % 10, u"/h.sav"_s)}; };
        QList<Job> saves;
        for (int c = 0; c < 10; ++c) {
            QVERIFY(writebytes(in(u"k"_s, c, u"/zorvane.ini"_s), inifile()));
            saves.append({in(u"k"_s, c), save(c)});
        }
        run(saves);
        const QByteArray first = readbytes(in(u"k"_s, 0, u"/h.sav"_s));
        const Array1<SearchSession> saved = records(in(u"k"_s, 0, u"/h.sav"_s))[1].urldata;
        QVERIFY(saved.ubound() == 1 && !first.contains("s3cret") && !first.contains("k3y"));
        killrepeatedly(u"k"_s, 10, save, u"/h.sav"_s, 2 * first.size() + 200,
                       [&](int i, const QByteArray &old, const QByteArray &now, bool) {
                           // All records are as long, and a part of one is not read.
                           const Array1<HistoryEntry> after = records(in(u"k"_s, i % 10, u"/h.sav"_s));
                           QVERIFY(now.startsWith(old) && after.ubound() == now.size() / first.size());
                           for (const HistoryEntry &entry : after)
                               QCOMPARE(entry.urldata, saved);
                       });

        // A hundred records of their own dates in each file; trial i deletes the i-th.
        QList<QByteArray> kept;
        const auto date = [](int i) { return u"01-Jan-2006 00:%1:00"_s.arg(i, 2, 10, QChar(u'0')); };
        for (int i = 0; i < 100; ++i)
            kept.append(QByteArray(first).replace(10, 20, date(i).toLatin1()));
        for (int c = 0; c < 10; ++c)
            QVERIFY(writebytes(in(u"k"_s, c, u"/d.sav"_s), kept.join()) &&
                    writebytes(in(u"k"_s, c, u"/t.sav"_s),
                               kept[0] + QByteArray(kept[1]).replace("KEY: red", "KEY: green")));
        const auto remove = [&](int i) {
            return QStringList{u"history"_s, u"delete"_s, in(u"k"_s, i % 10, u"/d.sav"_s), date(i)};
        };
        killrepeatedly(u"k"_s, 10, remove, u"/d.sav"_s, 2 * kept.join().size() + 10,
                       [&](int i, const QByteArray &old, const QByteArray &now, bool next) {
                           QVERIFY(now == QByteArray(old).remove(old.indexOf(kept[i]), kept[i].size()) ||
                                   (!next && now == old));
                       });

        // Record 2 in even rounds and record 1 in odd ones, so that every load changes the file.
        const auto load = [&](int i) {
            return QStringList{u"history"_s, u"load"_s, in(u"k"_s, i % 10, u"/t.sav"_s), u"--record"_s,
                               QString::number(2 - i / 10 % 2)};
        };
        QByteArray loaded[2];
        for (const int n : {1, 2}) {
            QCOMPARE(run(in(u"k"_s, 0), load(20 - 10 * n)).first, 0);
            loaded[n - 1] = readbytes(in(u"k"_s, 0, u"/zorvane.ini"_s));
        }
        QVERIFY(loaded[0] != loaded[1]);
        killrepeatedly(u"k"_s, 10, load, u"/zorvane.ini"_s, loaded[1].size() + 4,
                       [&](int i, const QByteArray &old, const QByteArray &now, bool next) {
                           QVERIFY(now == loaded[1 - i / 10 % 2] || (!next && now == old));
                       });
        qInfo("%d of 300 saves, deletes and settings writes killed", m_killed);
    }

    // A cycle keeps every earlier byte and record of the results file, the settings file reads
    // whole, and the next cycle is saved. A cycle that cannot be saved never says it was.
    void killedCycles()
    {
        const auto cycle = [&](int i) {
            return QStringList{u"schedule"_s, u"--once"_s, u"--file"_s, in(u"c"_s, i, u"/cycle.sav"_s)};
        };
        // The domain is due again.
        const auto due = [&](int i) { return writebytes(in(u"c"_s, i, u"/zorvane.ini"_s), inifile()); };
        const QString missing = m_dir.filePath(u"missing/R.sav"_s);
        QList<Job> jobs{{dir(u"lost"_s), {u"schedule"_s, u"--once"_s, u"--file"_s, missing}}};
        QVERIFY(writebytes(dir(u"lost"_s) + u"/zorvane.ini"_s, inifile()));
        for (int c = 0; c < 100; ++c) {
            QVERIFY(due(c));
            jobs.append({in(u"c"_s, c), cycle(c)});
        }
        const Result lost = run(jobs).first();
        QVERIFY2(lost.first == 1 && !lost.second.contains("Saved") &&
                     lost.second.contains(QByteArray("Could not write " + missing.toUtf8() + ": No such file")),
                 lost.second.constData());
        const qint64 record = readbytes(in(u"c"_s, 0, u"/cycle.sav"_s)).size();
        const qint64 units = 2 * record + readbytes(in(u"c"_s, 0, u"/zorvane.ini"_s)).size() + 200;
        for (int c = 0; c < 100; ++c)
            QVERIFY(due(c) && readbytes(in(u"c"_s, c, u"/cycle.sav"_s)).size() == record);
        m_killed = 0;
        killrepeatedly(u"c"_s, 100, cycle, u"/cycle.sav"_s, units,
                       [&](int i, const QByteArray &old, const QByteArray &now, bool next) {
                           QVERIFY(now.startsWith(old) &&
                                   records(in(u"c"_s, i, u"/cycle.sav"_s)).ubound() == now.size() / record);
                           QVERIFY(!next || (now.size() > old.size() && now.size() % record == 0));
                           const QByteArray ini = readbytes(in(u"c"_s, i, u"/zorvane.ini"_s));
                           QCOMPARE(ProfileFile::fromBytes(ini).value("URL1", "keys2"), "red"_ba);
                           QVERIFY(due(i));
                       });
        qInfo("%d of 100 cycles killed", m_killed);
    }

    // Files that hold a password or a key are their owner's alone: a new settings file, and one
    // found readable by others (said once); one without a secret keeps its mode.
    void secretsAreOwnersOnly()
    {
        const QString secret = dir(u"m0"_s), plain = dir(u"m1"_s), fresh = dir(u"m2"_s);
        const QString sav = secret + u"/h.sav"_s;
        QVERIFY(writebytes(secret + u"/zorvane.ini"_s, inifile()) &&
                writebytes(plain + u"/zorvane.ini"_s, "[settings]\r\nuselog=0\r\n"));
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::permissions(secret + u"/zorvane.ini"_s) & others);
        QVERIFY(run(secret, {u"history"_s, u"save"_s, sav}).second.contains("; it is now readable by you only\n"));
        QVERIFY(!run(secret, {u"history"_s, u"save"_s, sav}).second.contains("readable by you"));
        QCOMPARE(run(fresh, {u"history"_s, u"load"_s, sav, u"--record"_s, u"1"_s}).first, 0);
        QCOMPARE(run(plain, {u"history"_s, u"save"_s, sav}).first, 0);
        for (const auto &[folder, owners] : {std::pair(secret, true), std::pair(fresh, true), std::pair(plain, false)})
            QCOMPARE(!(QFile::permissions(folder + u"/zorvane.ini"_s) & others), owners);
    }

    // On a full disk (a small file system in memory) the settings file, a history file saved to
    // or deleted from, a report and a CSV file stay byte for byte; the command names the reason,
    // fails, and says nothing was saved. A history file in a folder that cannot be written to
    // (bound there from one that can) is saved to without a mark.
    void fullDisk()
    {
        const QString full = dir(u"full"_s);
        if (::mount("tmpfs", QFile::encodeName(full).constData(), "tmpfs", 0, "size=4m") != 0)
            QSKIP("only root can mount the small file system the full disk is tried on");
        const QString sav = full + u"/h.sav"_s;
        QVERIFY(writebytes(full + u"/zorvane.ini"_s, inifile()));
        QCOMPARE(run(full, {u"history"_s, u"save"_s, sav}).first, 0);
        // Two records of two dates after a line that fills the file's last page, so that
        // anything added needs a page more.
        const QByteArray two = readbytes(sav) + readbytes(sav).replace(10, 20, "01-Jan-2006 00:00:00");
        QVERIFY(writebytes(sav, QByteArray((4096 - (two.size() + 2) % 4096) % 4096, 'x') + "\r\n" + two));
        QCOMPARE(run(full, {u"results"_s, u"csv"_s, u"--out"_s, full + u"/r.csv"_s}).first, 0);
        QCOMPARE(run(full, {u"report"_s, full + u"/r.html"_s}).first, 0);
        QHash<QString, QByteArray> old;
        for (const QString &name : QDir(full).entryList(QDir::Files))
            old.insert(name, readbytes(full + u'/' + name));
        QFile filler(full + u"/filler"_s);
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'x')) > 0 && filler.flush()) {
        }
        for (const QStringList &args :
             {QStringList{u"history"_s, u"load"_s, sav}, QStringList{u"history"_s, u"save"_s, sav},
              QStringList{u"history"_s, u"delete"_s, sav, u"01-Jan-2006 00:00:00"_s},
              QStringList{u"results"_s, u"csv"_s, u"--out"_s, full + u"/r.csv"_s},
              QStringList{u"report"_s, full + u"/r.html"_s}}) {
            const Result result = run(full, args);
            QVERIFY2(result.first == 1 && result.second.contains(": No space left on device") &&
                         !result.second.contains("Saved"),
                     result.second.constData());
            for (auto file = old.cbegin(); file != old.cend(); ++file)
                QCOMPARE(readbytes(full + u'/' + file.key()), file.value());
        }
        filler.close();
        QVERIFY(QFile::remove(filler.fileName()));

        const QByteArray locked = QFile::encodeName(dir(u"locked"_s)), bound = locked + "/h.sav";
        QVERIFY(::mount("tmpfs", locked.constData(), "tmpfs", 0, "size=64k") == 0 &&
                writebytes(QFile::decodeName(bound), {}));
        QVERIFY(::mount(nullptr, locked.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0 &&
                ::mount(QFile::encodeName(sav).constData(), bound.constData(), nullptr, MS_BIND, nullptr) == 0);
        const Result saved = run(full, {u"history"_s, u"save"_s, QFile::decodeName(bound)});
        for (const QByteArray &mount : {bound, locked, QFile::encodeName(full)})
            ::umount2(mount.constData(), MNT_DETACH);
        QVERIFY2(saved.first == 0 && saved.second.contains("data Saved"), saved.second.constData());
    }
};

QTEST_GUILESS_MAIN(TestKillSafety)
#include "tst_killsafety.moc"
