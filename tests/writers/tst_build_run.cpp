#include "build_fixture.h"
#include "platform/delay.h"
#include "platform/io_error.h"

#include <QtTest>

class TestBuildRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setDelayPacing(0); }

    void driverNames_data();
    void driverNames();
    void locationsReadRawEachShow();
    void diskRoot_data();
    void diskRoot();
    void showResetsStatusAndNetworkLabel_data();
    void showResetsStatusAndNetworkLabel();
    void systemFileWarnings_data();
    void systemFileWarnings();
    void unwritableDiskette_data();
    void unwritableDiskette();
    void probeFileRemoved();
    void cancelBeforeStartCancelsThatRun();
    void cancelDuringRunDoesNotCarryOver();
    void cancelInWarningBoxSkipsTheRest();
    void writerByBuildMode_data();
    void writerByBuildMode();
    void unhandledIoErrorEndsRun();
    void finalQuestionReturnsAnswer();
};

void TestBuildRun::driverNames_data() {
    QTest::addColumn<QString>("edit2");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("name");
    QTest::newRow("browsed lower case") << "c:\\drivers\\ne2000.dos"
                                        << "C:\\DRIVERS\\NE2000.DOS"
                                        << "NE2000.DOS"
                                        << "NE2000"
                                        << "NE2000$";
    QTest::newRow("no extension") << "C:\\NICS\\NE2000"
                                  << "C:\\NICS\\NE2000"
                                  << "NE2000"
                                  << "NE2000"
                                  << "NE2000$";
    QTest::newRow("blanks around") << "  C:\\NICS\\netflx3.dos  "
                                   << "C:\\NICS\\NETFLX3.DOS"
                                   << "NETFLX3.DOS"
                                   << "NETFLX3"
                                   << "NETFLX3$";
    QTest::newRow("drive only") << "a:e100b.dos"
                                << "A:E100B.DOS"
                                << "E100B.DOS"
                                << "E100B"
                                << "E100B$";
    QTest::newRow("host path") << "/opt/nics/elnk3.dos"
                               << "/OPT/NICS/ELNK3.DOS"
                               << "ELNK3.DOS"
                               << "ELNK3"
                               << "ELNK3$";
    QTest::newRow("first dot ends the base") << "C:\\x\\a.b.dos"
                                             << "C:\\X\\A.B.DOS"
                                             << "A.B.DOS"
                                             << "A"
                                             << "A$";
    QTest::newRow("catalogue default") << "NIC Driver Name"
                                       << "NIC DRIVER NAME"
                                       << "NIC DRIVER NAME"
                                       << "NIC DRIVER NAME"
                                       << "NIC DRIVER NAME$";
}

void TestBuildRun::driverNames() {
    QFETCH(QString, edit2);
    BuildFixture f;
    f.mount();
    f.settings.setText("TForm4.Edit2", edit2);
    f.run->FormShow(f.settings, f.prog);
    const RunValues& v = f.run->values();
    QTEST(v.NicDriverFile, "file");
    QTEST(v.NicDriverFileName, "fileName");
    QTEST(v.NicDriverBase, "base");
    QTEST(v.NicDriverName, "name");
}

void TestBuildRun::locationsReadRawEachShow() {
    BuildFixture f;
    f.mount();
    // Section and keys in another case, one directory without its final separator: taken as stored.
    f.setLocations("[Locations]\r\nnicdriverpath=C:\\NICS\r\nNovellDriverPath=C:\\NW\\\r\n");
    f.run->FormShow(f.settings, f.prog);
    QCOMPARE(f.run->values().NICDriverPath, QStringLiteral("C:\\NICS"));
    QCOMPARE(f.run->values().NovellDriverPath, QStringLiteral("C:\\NW\\"));
    QCOMPARE(f.run->values().MicrosoftDriverPath, QString());

    // A change to the file counts at the next showing.
    f.setLocations("[LOCATIONS]\r\nMicrosoftDriverPath=D:\\MSCLIENT\\\r\n");
    f.run->FormShow(f.settings, f.prog);
    QCOMPARE(f.run->values().NICDriverPath, QString());
    QCOMPARE(f.run->values().NovellDriverPath, QString());
    QCOMPARE(f.run->values().MicrosoftDriverPath, QStringLiteral("D:\\MSCLIENT\\"));

    QFile::remove(f.prog + "/PCBW.INI");
    f.run->FormShow(f.settings, f.prog);
    QCOMPARE(f.run->values().MicrosoftDriverPath, QString());
}

void TestBuildRun::diskRoot_data() {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("root");
    QTest::newRow("A:") << "TForm2.RadioButton1"
                        << "A:";
    QTest::newRow("B:") << "TForm2.RadioButton2"
                        << "B:";
}

void TestBuildRun::diskRoot() {
    QFETCH(QString, choice);
    BuildFixture f;
    DriveTable drives;
    drives.map('A', f.tmp.filePath("a"));
    drives.map('B', f.tmp.filePath("b"));
    QDir().mkpath(f.tmp.filePath("a"));
    QDir().mkpath(f.tmp.filePath("b"));
    DosFs fs(drives);
    BuildRun run(fs, f.dialogs, f.view, f.clock);
    f.settings.setChecked(choice, true);
    f.settings.setBuildMode(BuildMode::NoNetwork);
    run.FormShow(f.settings, f.prog);
    QTEST(run.values().DiskRoot, "root");
    run.MakeTheDisk();
    // Everything, the write test included, goes to the chosen drive only.
    const QString used = choice.endsWith('1') ? "a" : "b";
    const QString other = choice.endsWith('1') ? "b" : "a";
    QVERIFY(QFileInfo::exists(f.tmp.filePath(used + "/CONFIG.SYS")));
    QVERIFY(QFileInfo::exists(f.tmp.filePath(used + "/client.exe")));
    QCOMPARE(QDir(f.tmp.filePath(other)).entryList(QDir::Files).size(), 0);
}

void TestBuildRun::showResetsStatusAndNetworkLabel_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("lastRunCancelled");
    QTest::addColumn<bool>("labelVisible");
    QTest::newRow("no network") << 4 << false << false;
    QTest::newRow("no network after a cancelled run") << 4 << true << true;
    QTest::newRow("multicast") << 1 << false << true;
    QTest::newRow("netware") << 2 << false << true;
    QTest::newRow("microsoft") << 3 << false << true;
}

void TestBuildRun::showResetsStatusAndNetworkLabel() {
    QFETCH(int, mode);
    QFETCH(bool, lastRunCancelled);
    BuildFixture f;
    f.mount();
    f.view.networkLabelVisible = !f.view.networkLabelVisible;
    if (lastRunCancelled)
        f.run->cancel();
    f.settings.setBuildMode(BuildMode(mode));
    f.run->FormShow(f.settings, f.prog);
    QCOMPARE(f.view.statuses, QStringList{" "});
    QTEST(f.view.networkLabelVisible, "labelVisible");
    // Showing leaves the gauge and the ticks alone.
    QVERIFY(f.view.gauges.isEmpty());
    QCOMPARE(f.view.ticks, QSet<int>{2});
}

void TestBuildRun::systemFileWarnings_data() {
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("warned");
    const QString himem =
        "HIMEM.SYS could not be found on the floppy diskette.  Build will continue but you must "
        "copy this file to the diskette when the build is done.  Press F1 for help.";
    const QString emm =
        "EMM386.EXE could not be found on the floppy diskette.  Build will continue but you must "
        "copy this file to the diskette when the build is done.  Press F1 for help.";
    const QString command =
        "COMMAND.COM could not be found on the floppy diskette.  Build will continue but you "
        "must copy this file to the diskette when the build is done.  Press F1 for help.";
    QTest::newRow("none") << QStringList{} << QStringList{himem, emm, command};
    QTest::newRow("all, other case") << QStringList{"HIMEM.SYS", "Emm386.Exe", "COMMAND.COM"}
                                     << QStringList{};
    QTest::newRow("only himem") << QStringList{"himem.sys"} << QStringList{emm, command};
    QTest::newRow("only command") << QStringList{"command.com"} << QStringList{himem, emm};
}

void TestBuildRun::systemFileWarnings() {
    QFETCH(QStringList, present);
    QFETCH(QStringList, warned);
    BuildFixture f;
    for (const char* name : {"himem.sys", "emm386.exe", "command.com"})
        QFile::remove(f.disk + "/" + name);
    for (const QString& name : present)
        BuildFixture::putSource(f.disk + "/" + name, "x");
    QCOMPARE(f.build(4), Dialogs::Button::Yes);

    QCOMPARE(f.dialogs.texts(), warned + QStringList{kComplete});
    for (int i = 0; i < warned.size(); ++i) {
        const ScriptedDialogs::Shown& box = f.dialogs.shown().at(i);
        QCOMPARE(box.helpContext, 600);
        QCOMPARE(box.icon, Dialogs::Icon::Information);
        QCOMPARE(box.buttons, Dialogs::Buttons::Ok);
    }
    // The warnings come before the writer starts.
    QVERIFY(f.onDisk("CONFIG.SYS"));
}

void TestBuildRun::unwritableDiskette_data() {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QString>("mapping");
    QTest::addColumn<QString>("reason");
    QTest::newRow("drive not mapped") << "TForm2.RadioButton2" << QString() << "drive B: is not mapped";
    QTest::newRow("image cannot be created") << "TForm2.RadioButton1"
                                             << "missing/dir/A.img"
                                             << "missing/dir/A.img";
}

void TestBuildRun::unwritableDiskette() {
    QFETCH(QString, choice);
    QFETCH(QString, mapping);
    QFETCH(QString, reason);
    BuildFixture f;
    f.mount(mapping.isEmpty() ? QString() : f.tmp.filePath(mapping));
    f.settings.setChecked(choice, true);
    QCOMPARE(f.build(1), Dialogs::Button::Yes);

    // The message of old on the first line; on the second, where and why.
    QCOMPARE(f.dialogs.texts().size(), 2);
    QCOMPARE(f.dialogs.texts().at(0).section(QLatin1Char('\r'), 0, 0), kFloppy);
    QVERIFY2(f.dialogs.texts().at(0).section(QLatin1Char('\r'), 1).contains(reason),
             qPrintable(f.dialogs.texts().at(0)));
    QCOMPARE(f.dialogs.texts().at(1), kCanceled);
    const ScriptedDialogs::Shown& floppy = f.dialogs.shown().at(0);
    QCOMPARE(floppy.helpContext, 0);
    QCOMPARE(floppy.buttons, Dialogs::Buttons::Ok);
    const ScriptedDialogs::Shown& question = f.dialogs.shown().at(1);
    QCOMPARE(question.buttons, Dialogs::Buttons::YesNo);
    // No writer ran: the only steps are the gauge reset, the tick and the end.
    QCOMPARE(f.view.statuses, (QStringList{" ", "Done. "}));
    QCOMPARE(f.view.gauges, QList<int>{0});
    QCOMPARE(f.ticksInOrder(), QStringList{"tick:3:1"});
    QVERIFY(f.run->BuildCancelled());
    QVERIFY(!QFileInfo::exists(f.tmp.filePath("missing")));
    QCOMPARE(f.builtFiles(), QStringList{});
}

void TestBuildRun::probeFileRemoved() {
    BuildFixture f;
    f.build(4);
    QVERIFY(!f.onDisk("delete.me"));
    QCOMPARE(f.dialogs.texts(), QStringList{kComplete});

    // On a fresh image the probe is the first write: it creates the diskette and leaves no trace.
    BuildFixture g;
    const QString image = g.tmp.filePath("A.img");
    g.mount(image);
    g.build(4);
    QVERIFY(TestEnv::fsckClean(image));
    QByteArray listing;
    TestEnv::run("mdir", {"-b", "-i", image, "::"}, &listing);
    QVERIFY2(!listing.toUpper().contains("DELETE.ME"), listing.constData());
    QVERIFY(listing.toUpper().contains("CONFIG.SYS"));
}

void TestBuildRun::cancelBeforeStartCancelsThatRun() {
    BuildFixture f;
    f.mount();
    f.settings.setBuildMode(BuildMode::Multicast);
    f.run->FormShow(f.settings, f.prog);
    f.run->cancel(); // in the second between showing and the start of the run
    QVERIFY(f.run->cancelRequested());
    QCOMPARE(f.run->MakeTheDisk(), Dialogs::Button::Yes);
    QCOMPARE(f.dialogs.texts(), QStringList{kCanceled});
    QCOMPARE(f.view.statuses, (QStringList{" ", "Done. "}));
    QCOMPARE(f.ticksInOrder(), QStringList{"tick:3:1"});
    QCOMPARE(f.builtFiles(), QStringList{}); // not even the probe file was made
    QVERIFY(!f.run->cancelRequested());

    // The next showing starts clean, although the last run's outcome is kept until the run.
    f.dialogs.clear();
    f.run->FormShow(f.settings, f.prog);
    QVERIFY(f.run->BuildCancelled());
    f.run->MakeTheDisk();
    QCOMPARE(f.dialogs.texts(), QStringList{kComplete});
    QVERIFY(f.onDisk("WATTCP.CFG"));
}

void TestBuildRun::cancelDuringRunDoesNotCarryOver() {
    BuildFixture f;
    f.mount();
    f.cancelAt(" Creating AUTOEXEC.BAT...");
    f.build(4);
    QCOMPARE(f.dialogs.texts(), QStringList{kCanceled});
    QVERIFY(!f.run->cancelRequested());
    f.view.onStatus = nullptr;

    // Run again without showing the page anew (the command line does so): a fresh, whole run.
    f.dialogs.clear();
    QCOMPARE(f.run->MakeTheDisk(), Dialogs::Button::Yes);
    QCOMPARE(f.dialogs.texts(), QStringList{kComplete});
    QVERIFY(f.onDisk("client.exe"));
}

void TestBuildRun::cancelInWarningBoxSkipsTheRest() {
    BuildFixture f;
    for (const char* name : {"himem.sys", "emm386.exe", "command.com"})
        QFile::remove(f.disk + "/" + name);
    f.mount();
    // Cancel clicked while the first warning is up: the other checks and the writer skip themselves.
    f.dialogs.onMessage([&](const ScriptedDialogs::Shown& box) {
        if (box.text.startsWith("HIMEM.SYS"))
            f.run->cancel();
    });
    f.build(1);
    QCOMPARE(f.dialogs.texts().size(), 2);
    QVERIFY(f.dialogs.texts().first().startsWith("HIMEM.SYS could not be found"));
    QCOMPARE(f.dialogs.texts().last(), kCanceled);
    QCOMPARE(f.ticksInOrder(), QStringList{"tick:3:1"});
    QCOMPARE(f.view.statuses, (QStringList{" ", "Done. "}));
    QCOMPARE(f.builtFiles(), QStringList{});
}

void TestBuildRun::writerByBuildMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("marker"); // a status only that writer shows; empty: no writer
    QTest::newRow("multicast") << 1 << " Creating WATTCP.CFG...";
    QTest::newRow("netware") << 2 << " Creating NET.CFG...";
    QTest::newRow("microsoft") << 3 << " Creating SYSTEM.INI...";
    QTest::newRow("no network") << 4 << " Copying Pellacore Client file...";
    QTest::newRow("zero") << 0 << QString();
    QTest::newRow("five") << 5 << QString();
}

void TestBuildRun::writerByBuildMode() {
    QFETCH(int, mode);
    QFETCH(QString, marker);
    BuildFixture f;
    f.mount();
    f.settings.setBuildMode(BuildMode(mode));
    f.run->FormShow(f.settings, f.prog);
    try {
        f.run->MakeTheDisk();
    } catch (const IoError&) {
        // A writer may stop on files this fixture does not provide; only which writer ran counts.
    }
    if (marker.isEmpty()) {
        QCOMPARE(f.view.statuses, (QStringList{" ", "Done. "}));
        QCOMPARE(f.dialogs.texts(), QStringList{kComplete});
        QCOMPARE(f.builtFiles(), QStringList{});
    } else {
        QVERIFY2(f.view.statuses.contains(marker), qPrintable(f.view.statuses.join('|')));
        const QStringList others = {" Creating WATTCP.CFG...", " Creating NET.CFG...",
                                    " Creating SYSTEM.INI..."};
        for (const QString& other : others)
            if (other != marker)
                QVERIFY(!f.view.statuses.contains(other));
    }
}

void TestBuildRun::unhandledIoErrorEndsRun() {
    BuildFixture f;
    // The client program on drive B:, an image file that holds no diskette: it cannot be read.
    TestEnv::writeHostFile(f.tmp.filePath("junk.img"), QByteArray(4096, 'x'));
    f.mount();
    f.fs->mapDrive('B', f.tmp.filePath("junk.img"));
    f.settings.setText("TForm11.Edit1", "B:\\CLIENT.EXE");
    f.settings.setBuildMode(BuildMode::NoNetwork);
    f.run->FormShow(f.settings, f.prog);
    QVERIFY_THROWS_EXCEPTION(IoError, f.run->MakeTheDisk());
    QVERIFY(!f.run->running());
    QVERIFY(!f.view.statuses.contains("Done. "));
    QCOMPARE(f.dialogs.texts(), QStringList{}); // no question either
    QCOMPARE(f.builtFiles(), QStringList{});    // found before anything was written
}

void TestBuildRun::finalQuestionReturnsAnswer() {
    BuildFixture f;
    f.dialogs.answer(Dialogs::Button::No);
    QCOMPARE(f.build(4), Dialogs::Button::No);
    const ScriptedDialogs::Shown& q = f.dialogs.shown().last();
    QCOMPARE(q.text, kComplete);
    QCOMPARE(q.icon, Dialogs::Icon::Information);
    QCOMPARE(q.buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(q.helpContext, 0);
    QCOMPARE(f.view.statuses.last(), QStringLiteral("Done. "));
}

QTEST_GUILESS_MAIN(TestBuildRun)
#include "tst_build_run.moc"
