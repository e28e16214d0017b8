#include "app/optionscontroller.h"
#include "app/optionspanel.h"
#include "app/scheduleoptionspanel.h"
#include "app/schedulercontroller.h"
#include "app/splashwindow.h"
#include "app/startup.h"
#include "app/statuspanels.h"
#include "platform/product.h"
#include "scheduler/scheduleoptions.h"
#include "support/desktop.h"
#include "support/testfiledialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

#include <csignal>

// The program's shell: start-up, panels, starting with the computer, and ends from inside and out.
class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(u"Fusion"_s); }
    void init() { errorreports::reset(); }

    // Start-up in its order, the panels, and shut-down undoing start-up; the version is the
    // build's one value. The running text and day log's start and end lines: tst_desktop
    // searchSortsRestartsAndStops; the idle tick running from the start: the end from outside.
    void startPanelsAndEnd()
    {
        Desktop rig;
        MainWindow &window = rig.open();
        SplashWindow *splash = window.startup().frmSplash();
        QVERIFY(splash->isHidden());
        QCOMPARE(splash->lblVersion()->text(), u"Version "_s + product::version());
        QVERIFY(rig.tray.added());
        QCOMPARE(rig.tray.tooltip(), u"Zorvane"_s);
        QCOMPARE(window.options().fraoptions().setstartup->text(), u"Start Zorvane when I start my computer"_s);
        const ScheduleOptionsPanel &boxes = window.scheduler().frascheduleopt();
        QVERIFY(!boxes.chksearchhour->isChecked() && boxes.chksearchday->isChecked());
        // A left or right click on the tray icon hides the window, the next shows it; a double
        // click is two clicks.
        using enum QSystemTrayIcon::ActivationReason;
        const std::pair<QSystemTrayIcon::ActivationReason, bool> clicks[] = {
            {Trigger, false}, {Context, true}, {Trigger, false}, {DoubleClick, true}, {MiddleClick, true}};
        for (const auto &[reason, visible] : clicks) {
            rig.tray.activated(reason);
            QCOMPARE(window.isVisible(), visible);
        }
        TrayIcon none{QIcon(), false};
        QVERIFY(!none.display_tooltip(u"Zorvane"_s) && !none.added());

        // The options panel: Cancel, then OK taking the boxes over within their ranges. The
        // schedule options: the menu commands, the panel's boxes and file question, OK making
        // every domain due, and the scheduler's line in the status bar (its count-downs:
        // tst_scheduler countdown).
        OptionsPanel &panel = window.options().fraoptions();
        QAction *menu = window.menus().mnuOptions;
        menu->trigger();
        QVERIFY(panel.isVisible());
        QCOMPARE((QStringList{panel.connections->text(), panel.chocolor->currentText(), panel.txtmaxreply->text()}),
                 (QStringList{u"5"_s, u"Zorvane standard"_s, u"8388608"_s}));
        menu->trigger();
        QVERIFY(!panel.isVisible());

        // Cancel takes nothing over.
        menu->trigger();
        panel.txtproxyserver->setText(u"proxy.example"_s);
        panel.chkuseproxy->setChecked(true);
        rig.click(panel.btnoptcancel);
        QVERIFY(!panel.isVisible());
        QVERIFY(rig.state->settings.proxyserver.isEmpty() && !rig.state->settings.useproxy);

        menu->trigger();
        const std::pair<QLineEdit *, QString> typed[] = {
            {panel.connections, u"7"_s},         {panel.txttimeout, u" 30"_s},
            {panel.txtproxyport, u"3128"_s},     {panel.txtcafile, u" /etc/ca.pem "_s},
            {panel.txtrequestdelay, u"90000"_s}, {panel.txtmaxreply, u"100"_s},
            {panel.txtalertdelta, u"0"_s},       {panel.txtalertcommand, u"notify-me --quiet"_s}};
        for (const auto &[box, text] : typed)
            box->setText(text);
        panel.setstartup->setChecked(true);
        panel.setrunningupdate->setChecked(true);
        panel.chkshuffle->setChecked(true);
        panel.chocolor->setEditText(u"Windows Grey"_s);
        rig.click(panel.btnoptionscont);
        const Settings &s = rig.state->settings;
        // Trimmed and held to the boxes' ranges.
        QCOMPARE(
            (QStringList{QString::number(int(s.maxconnections)), QString::number(int(s.inettimeout)), s.proxyport,
                         s.colorscheme, s.cafile, QString::number(int(s.requestdelay)), QString::number(s.maxreply),
                         QString::number(s.shuffle), QString::number(int(s.alertdelta)), s.alertcommand}),
            (QStringList{u"7"_s, u"30"_s, u"3128"_s, u"Windows Grey"_s, u"/etc/ca.pem"_s, u"32767"_s,
                         QString::number(Settings::leastMaxReply), u"1"_s, u"1"_s, u"notify-me --quiet"_s}));
        QCOMPARE(rig.autostart.calls, QList<bool>{true});
        // What the box does for real: only a program installed under /usr or /opt (on Windows: in
        // "Program Files") is entered; switching off keeps the entry and marks it.
        qputenv("XDG_CONFIG_HOME", rig.folder.path().toLocal8Bit());
        const QString entry = rig.folder.file(u"autostart/zorvane.desktop"_s);
        XdgAutostart copy(u"/home/me/build/zorvane"_s);
        copy.setstartupreg(true);
        QVERIFY(!QFile::exists(entry));
        // The panel says why: a copy outside the installed place.
        QCOMPARE(copy.refusal(),
                 u"Only a Zorvane installed under /usr or /opt starts with the computer; this copy runs "
                 u"from /home/me/build, so ticking the box registers nothing."_s);
        XdgAutostart installed(u"/opt/zor vane/bin/zorvane"_s);
        QCOMPARE(installed.refusal(), QString());
        installed.setstartupreg(true);
        const QByteArray on = readbytes(entry);
        QVERIFY(on.contains("\nExec=\"/opt/zor vane/bin/zorvane\"\n") && on.contains("\nHidden=false\n"));
        installed.setstartupreg(false);
        QVERIFY(readbytes(entry).contains("\nHidden=true\n"));
        qunsetenv("XDG_CONFIG_HOME");

        QCOMPARE(RegistryAutostart(u"C:/Program Files/Zorvane/zorvane.exe"_s).command(),
                 u"\"C:\\Program Files\\Zorvane\\zorvane.exe\" /hide"_s);
        const RegistryAutostart elsewhere(u"C:/Users/me/Program Files/zorvane.exe"_s);
        QVERIFY(elsewhere.command().isEmpty() && elsewhere.refusal().contains(u"from C:/Users/me/Program Files,"_s));
        QCOMPARE(RegistryAutostart(u"C:/Program Files/Zorvane/zorvane.exe"_s).refusal(), QString());

        QVERIFY(window.controls().status.runningtext->isVisible());

        menu->trigger();
        panel.chocolor->setEditText(u"Purple"_s);
        rig.click(panel.btnoptionscont);
        QCOMPARE(s.colorscheme, u"Zorvane standard"_s);

        menu->trigger();
        rig.click(panel.cmdgetapi);
        QCOMPARE(rig.shell.opened, QStringList{OptionsController::apikeyaddress()});

        const ScheduleOptionsPanel &schedule = window.scheduler().frascheduleopt();
        window.menus().mnustartschedule->trigger();
        QCOMPARE(rig.prompts.messages(),
                 QStringList{u"You must enter a filename for results before starting scheduled operation"_s});
        QVERIFY(schedule.isVisible() && !rig.state->settings.schedulerunning);

        rig.click(schedule.chksearchweek);
        QVERIFY(schedule.chksearchweek->isChecked() && !schedule.chksearchday->isChecked());
        rig.click(schedule.chksearchweek);
        QVERIFY(!schedule.chksearchweek->isChecked() && !schedule.chksearchday->isChecked());
        rig.click(schedule.chksearchweek);
        // Browse: a new file, then a cancel keeping it (an existing one asks first:
        // tst_historywindow).
        TestFileDialogs dialogs;
        window.setfiledialogs(&dialogs);
        const QString cycle = rig.folder.file(u"cycle.sav"_s);
        dialogs.setNextFileName(cycle);
        rig.click(schedule.cmdschedulebrowse);
        rig.click(schedule.cmdschedulebrowse);
        QCOMPARE(dialogs.asked().size(), 2);
        QCOMPARE(dialogs.asked()[0].request.title + u'|' + dialogs.asked()[0].request.filename,
                 u"Select input file|zorvane.sav"_s);
        QCOMPARE(dialogs.asked()[1].request.filename, cycle);
        QCOMPARE(schedule.txtschedulefile->text(), cycle);
        QVERIFY(rig.prompts.questions().isEmpty());
        schedule.txtschedulefile->setText(u"typed.sav"_s);
        SearchSession &domain = rig.state->urldata.append(SearchSession());
        domain.url = u"a.example"_s;
        domain.lastscheduletime = u"01-Jan-2020 00:00:00"_s;
        rig.click(schedule.cmdscheduleopt);
        QVERIFY(!schedule.isVisible() && domain.lastscheduletime.isEmpty());

        window.menus().mnustartschedule->trigger();
        QVERIFY(rig.state->settings.schedulerunning);
        window.menus().mnustopschedule->trigger();
        window.searchrun().Timer1_Timer();
        QCOMPARE(window.controls().status.labscheduler->text(), u"Scheduler OFF"_s);
        // Opened again: the boxes as taken over, and a box ticked but never taken over stays ticked.
        schedule.autoconnect->setChecked(true);
        rig.state->settings.isautodisconnect = true;
        window.menus().mnuscheduleoptions->trigger();
        QCOMPARE(schedule.boxes(), (ScheduleOptions{false, false, true, true, true, u"typed.sav"_s}));

        rig.state->settings.schedulerunning = true;
        window.close();
        QVERIFY(!rig.tray.added());
        rig.tray.remove_tray_icon();
        QVERIFY(QString::fromLatin1(rig.folder.read(u"zorvane.ini"_s)).contains(u"schedulerunning=1\r\n"_s));
        rig.open();
        QVERIFY(rig.window->panels().runningtext().contains(u"-Scheduler running\r\n"_s));

        // The splash closes on a key, or on a click on its frame.
        SplashWindow other;
        other.showcentred();
        QTest::keyClick(&other, Qt::Key_Space);
        QVERIFY(other.isHidden());
        other.showcentred();
        QTest::mouseClick(other.Frame1(), Qt::LeftButton);
        QVERIFY(other.isHidden());

        // SIGTERM to the program running in the same folder: its shut-down stores the state of
        // the search under way.
        rig.close();
        rig.engine.clearRecords();
        rig.engine.setBehaviour(u"slow"_s, -1, {FakeEngine::Reply::Hang, 0, {}, {}});
        QVERIFY(rig.folder.write(u"zorvane.ini"_s,
                                 "[settings]\r\nsearchhost=" + rig.engine.hostport().toLatin1() +
                                     "\r\nschedulerunning=1\r\nschedulefile=x.sav\r\ncounturls=1\r\n"
                                     "[URL1]\r\nurl=t.example\r\npagedepth=1\r\ncountkeys=1\r\nkeys1=slow\r\n"));
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ZORVANE_GUI_PATH), {u"--dir"_s, rig.folder.path()});
        // The scheduler starts the search on the first idle tick.
        QVERIFY(QTest::qWaitFor([&] { return !rig.engine.requests().isEmpty(); }, 20000));
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);
        const QByteArray stored = rig.folder.read(u"zorvane.ini"_s);
        QVERIFY2(stored.contains("\r\nlastscheduletime=") && stored.contains("\r\nresulttime="), stored.constData());
        QVERIFY(rig.folder.read(errorreports::daylogname()).contains("-Starting Search t.example\r\n"));
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
