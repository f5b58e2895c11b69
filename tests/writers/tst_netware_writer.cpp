#include "platform/io_error.h"
#include "standalone_harness.h"
#include "writers/netware_writer.h"

#include <QtTest>

namespace {

const QStringList kAutoexecHead{
    "@ECHO OFF",     "REM [AUTOEXEC.BAT : Created by PCBW 12/7/2026]",
    "prompt $p$g",   "lh LSL.COM",
    "lh NE2000.DOS", "lh IPXODI.COM",
    "lh VLM.EXE",
};

QList<int> fullGauges() {
    return {33, 66, 100, 0,  100, 0,  5,  10, 15, 20, 25, 30, 35,
            40, 45, 50,  55, 60,  65, 70, 75, 80, 85, 90, 95, 100};
}

// Every file a complete build leaves in the diskette's root.
QStringList fullListing(const QString& client = QStringLiteral("CLIENT.EXE")) {
    QStringList out = kNetWareFiles;
    out << "AUTOEXEC.BAT"
        << "CONFIG.SYS"
        << "NET.CFG"
        << "NE2000.DOS" << client;
    out.sort();
    return out;
}

} // namespace

// NetWare diskette writer: the three text files byte for byte, the copies, progress and failures.
class TestNetwareWriter : public QObject {
    Q_OBJECT

private:
    static void seedNovell(StandaloneHarness& h) {
        for (const QString& f : kNetWareFiles)
            h.putSource("NOVELL/" + f);
    }

private Q_SLOTS:
    void textFiles_data();
    void textFiles();
    void completeBuild();
    void clientUnderItsOwnName();
    void missingNovellFile_data();
    void missingNovellFile();
    void missingClientOrDriver_data();
    void missingClientOrDriver();
    void configSysUnwritable();
    void otherTextFileUnwritable_data();
    void otherTextFileUnwritable();
    void cancel_data();
    void cancel();
    void freshImage();
    void shortWriteEndsTheRun();
    void wholeRun();
};

void TestNetwareWriter::textFiles_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("disk"); // which diskette directory receives the files
    QTest::addColumn<QByteArray>("autoexec");
    QTest::addColumn<QByteArray>("netcfg");

    QTest::newRow("defaults: plug and play, no login, 802.2")
        << QStringList{} << "A" << dosText(kAutoexecHead + QStringList{"lh client.exe"})
        << netWareNetCfg({}, "Ethernet_802.2", "F");
    QTest::newRow("not plug and play: INT and PORT, Ethernet_II")
        << QStringList{"TForm7.RadioButton2=1", "TForm7.ComboBox1=10", "TForm7.ComboBox2=340",
                       "TForm21.ComboBox1=2"}
        << "A" << dosText(kAutoexecHead + QStringList{"lh client.exe"})
        << netWareNetCfg({"   INT 10", "   PORT 340"}, "Ethernet_II", "F");
    QTest::newRow("map without login writes neither")
        << QStringList{"TForm21.RadioButton4=1", "TForm21.ComboBox1=1"} << "A"
        << dosText(kAutoexecHead + QStringList{"lh client.exe"}) << netWareNetCfg({}, "Ethernet_802.3", "F");
    QTest::newRow("login on G: without map")
        << QStringList{"TForm21.RadioButton2=1", "TForm21.ComboBox2=6", "TForm21.Edit1=ADMIN"} << "A"
        << dosText(kAutoexecHead + QStringList{"G:LOGIN ADMIN", "A:", "lh client.exe"})
        << netWareNetCfg({}, "Ethernet_802.2", "G");
    QTest::newRow("login and map in drive B:, SNAP")
        << QStringList{"TForm2.RadioButton2=1", "TForm21.RadioButton2=1",          "TForm21.RadioButton4=1",
                       "TForm21.ComboBox3=10",  "TForm21.Edit2=\\\\NW1\\Sys\\Img", "TForm21.ComboBox1=3",
                       "TForm7.RadioButton2=1"}
        << "B"
        << dosText(kAutoexecHead +
                   QStringList{"F:LOGIN PELLA", "B:", "MAP K:=\\\\NW1\\Sys\\Img", "B:", "lh client.exe"})
        << netWareNetCfg({"   INT 5", "   PORT 300"}, "Ethernet_SNAP", "F");
    QTest::newRow("login drive not selected: first network drive F")
        << QStringList{"TForm21.ComboBox2=-1"} << "A" << dosText(kAutoexecHead + QStringList{"lh client.exe"})
        << netWareNetCfg({}, "Ethernet_802.2", "F");
    QTest::newRow("login name used as typed")
        << QStringList{"TForm21.RadioButton2=1", "TForm21.Edit1= pella x"} << "A"
        << dosText(kAutoexecHead + QStringList{"F:LOGIN  pella x", "A:", "lh client.exe"})
        << netWareNetCfg({}, "Ethernet_802.2", "F");
}

void TestNetwareWriter::textFiles() {
    QFETCH(QStringList, values);
    QFETCH(QString, disk);
    QFETCH(QByteArray, autoexec);
    QFETCH(QByteArray, netcfg);

    StandaloneHarness h;
    seedNovell(h);
    h.apply(values);
    CreateNovellDiskette(h.start());

    const QString root = disk == "A" ? h.diskA : h.diskB;
    QCOMPARE(diskFile(root, "CONFIG.SYS"), kNetWareConfigSys);
    QCOMPARE(diskFile(root, "AUTOEXEC.BAT"), autoexec);
    QCOMPARE(diskFile(root, "NET.CFG"), netcfg);
    QCOMPARE(listing(root), fullListing());
    QCOMPARE(listing(disk == "A" ? h.diskB : h.diskA), QStringList{});
    QVERIFY(!h.run->BuildCancelled());
}

void TestNetwareWriter::completeBuild() {
    StandaloneHarness h;
    seedNovell(h);
    CreateNovellDiskette(h.start());

    QCOMPARE(h.view.gauges, fullGauges());
    QStringList statuses{" Creating CONFIG.SYS...", " Creating AUTOEXEC.BAT...", " Creating NET.CFG...",
                         " Copying Pellacore Client file...", " Copying NIC Driver..."};
    for (const QString& f : kNetWareFiles)
        statuses << " Copying " + f + "...";
    QCOMPARE(h.view.statuses, statuses);
    QCOMPARE(h.view.ticks, (QSet<int>{2, 3, 4, 5}));
    QCOMPARE(h.dialogs.texts(), QStringList{});
    for (const QString& f : kNetWareFiles)
        QCOMPARE(diskFile(h.diskA, f), sourceBytes(f));
    QCOMPARE(diskFile(h.diskA, "NE2000.DOS"), sourceBytes("NE2000.DOS"));
    QCOMPARE(diskFile(h.diskA, "CLIENT.EXE"), sourceBytes("client.exe"));
    QCOMPARE(h.run->values().ClientFile, QString("C:\\PCBW\\client.exe"));
    QCOMPARE(h.run->values().CopyResult, 0);
}

void TestNetwareWriter::clientUnderItsOwnName() {
    StandaloneHarness h;
    seedNovell(h);
    h.putSource("PCBW/myclient.exe");
    h.apply({"TForm11.Edit1=C:\\PCBW\\myclient.exe"});
    CreateNovellDiskette(h.start());

    QCOMPARE(listing(h.diskA), fullListing("MYCLIENT.EXE"));
    QCOMPARE(diskFile(h.diskA, "myclient.exe"), sourceBytes("myclient.exe"));
    QVERIFY(diskFile(h.diskA, "AUTOEXEC.BAT").endsWith("lh client.exe\r\n"));
}

void TestNetwareWriter::missingNovellFile_data() {
    QTest::addColumn<int>("missing"); // index into the copy order
    QTest::newRow("first") << 0;
    QTest::newRow("sixth") << 5;
    QTest::newRow("last") << 17;
}

void TestNetwareWriter::missingNovellFile() {
    QFETCH(int, missing);
    StandaloneHarness h;
    seedNovell(h);
    h.removeSource("NOVELL/" + kNetWareFiles[missing]);
    CreateNovellDiskette(h.start());

    QVERIFY(h.run->BuildCancelled());
    QCOMPARE(h.dialogs.texts(), QStringList{"The File C:\\NOVELL\\" + kNetWareFiles[missing] +
                                            " could not be found.  Creation can not proceed."});
    QCOMPARE(h.dialogs.shown().first().helpContext, 0);
    // The gauge steps on to 100 while the later files are skipped.
    QCOMPARE(h.view.gauges, fullGauges());
    QCOMPARE(h.view.statuses.last(), " Copying " + kNetWareFiles[missing] + "...");
    QStringList expected = kNetWareFiles.mid(0, missing);
    expected << "AUTOEXEC.BAT"
             << "CONFIG.SYS"
             << "NET.CFG"
             << "NE2000.DOS"
             << "CLIENT.EXE";
    expected.sort();
    QCOMPARE(listing(h.diskA), expected);
}

void TestNetwareWriter::missingClientOrDriver_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QList<int>>("gauges");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("client")
        << "PCBW/client.exe"
        << "The Pellacore Client could not be found in the specified location.  Creation can not "
           "proceed."
        << QList<int>{33, 66, 100, 0} << QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "NET.CFG"};
    QTest::newRow("NIC driver")
        << "NICS/NE2000.DOS"
        << "The File C:\\NICS\\NE2000.DOS could not be found.  Creation can not proceed."
        << QList<int>{33, 66, 100, 0, 100, 0}
        << QStringList{"AUTOEXEC.BAT", "CLIENT.EXE", "CONFIG.SYS", "NET.CFG"};
}

void TestNetwareWriter::missingClientOrDriver() {
    QFETCH(QString, source);
    QFETCH(QString, message);
    QFETCH(QList<int>, gauges);
    QFETCH(QStringList, left);

    StandaloneHarness h;
    seedNovell(h);
    h.removeSource(source);
    CreateNovellDiskette(h.start());

    QVERIFY(h.run->BuildCancelled());
    QCOMPARE(h.dialogs.texts(), QStringList{message});
    QCOMPARE(h.view.gauges, gauges);
    QCOMPARE(h.view.ticks, (QSet<int>{2, 3, 4, 5}));
    QCOMPARE(listing(h.diskA), left);
}

void TestNetwareWriter::configSysUnwritable() {
    StandaloneHarness h;
    seedNovell(h);
    QDir(h.diskA).mkdir("CONFIG.SYS"); // a directory in the way: the file cannot be created
    CreateNovellDiskette(h.start());

    QVERIFY(h.run->BuildCancelled());
    QCOMPARE(h.dialogs.texts(), QStringList{"CONFIG.SYS could not be created.  Build can not continue.\r"
                                            "a folder of that name is in the way"});
    QCOMPARE(h.dialogs.shown().first().helpContext, 600);
    QCOMPARE(h.view.gauges, QList<int>{33});
    QCOMPARE(h.view.ticks, (QSet<int>{2, 3, 4, 5}));
    QCOMPARE(listing(h.diskA), QStringList{"CONFIG.SYS/"});
}

void TestNetwareWriter::otherTextFileUnwritable_data() {
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("AUTOEXEC.BAT") << "AUTOEXEC.BAT" << QStringList{"AUTOEXEC.BAT/", "CONFIG.SYS"};
    QTest::newRow("NET.CFG") << "NET.CFG" << QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "NET.CFG/"};
}

void TestNetwareWriter::otherTextFileUnwritable() {
    QFETCH(QString, blocked);
    QFETCH(QStringList, left);
    StandaloneHarness h;
    seedNovell(h);
    QDir(h.diskA).mkdir(blocked);
    BuildRun& run = h.start();

    // The file is named with the reason and the run ends there: nothing after it is written or copied.
    CreateNovellDiskette(run);
    QVERIFY(run.BuildCancelled());
    QCOMPARE(h.dialogs.texts(),
             QStringList{"A:\\" + blocked + " could not be created.\ra folder of that name is in the way"});
    QCOMPARE(listing(h.diskA), left);
}

void TestNetwareWriter::cancel_data() {
    QTest::addColumn<QString>("during"); // Cancel is pressed in the wait after the step with this text
    QTest::addColumn<QList<int>>("gauges");
    QTest::addColumn<QStringList>("left");

    const QStringList texts{"AUTOEXEC.BAT", "CONFIG.SYS", "NET.CFG"};
    QTest::newRow("CONFIG.SYS") << " Creating CONFIG.SYS..." << QList<int>{33} << QStringList{"CONFIG.SYS"};
    QTest::newRow("NET.CFG") << " Creating NET.CFG..." << QList<int>{33, 66, 100} << texts;
    QTest::newRow("client copy: its gauge still reaches 100")
        << " Copying Pellacore Client file..." << QList<int>{33, 66, 100, 0, 100}
        << QStringList{"AUTOEXEC.BAT", "CLIENT.EXE", "CONFIG.SYS", "NET.CFG"};
    QTest::newRow("second NetWare file") << " Copying VLM.EXE..." << fullGauges()
                                         << QStringList{"AUTOEXEC.BAT", "CLIENT.EXE", "CONFIG.SYS", "MAP.EXE",
                                                        "NE2000.DOS",   "NET.CFG",    "VLM.EXE"};
}

void TestNetwareWriter::cancel() {
    QFETCH(QString, during);
    QFETCH(QList<int>, gauges);
    QFETCH(QStringList, left);
    StandaloneHarness h;
    seedNovell(h);
    h.view.cancelAt = during;
    CreateNovellDiskette(h.start());

    QVERIFY(h.run->BuildCancelled());
    QCOMPARE(h.view.ticks, (QSet<int>{2, 3, 4, 5}));
    QCOMPARE(h.view.gauges, gauges);
    QCOMPARE(h.view.statuses.last(), during);
    QCOMPARE(h.dialogs.texts(), QStringList{});
    QCOMPARE(listing(h.diskA), left);
}

void TestNetwareWriter::freshImage() {
    StandaloneHarness h;
    seedNovell(h);
    h.diskA = h.tmp.filePath("A.img");
    QVERIFY(TestEnv::makeBlankImage(h.diskA));
    h.apply({"TForm21.RadioButton2=1", "TForm21.RadioButton4=1"});
    CreateNovellDiskette(h.start());
    h.fs.reset(); // everything written reaches the image

    QByteArray report;
    QVERIFY2(TestEnv::fsckClean(h.diskA, &report), report.constData());
    QCOMPARE(listing(h.diskA), fullListing());
    QCOMPARE(diskFile(h.diskA, "CONFIG.SYS"), kNetWareConfigSys);
    QCOMPARE(diskFile(h.diskA, "AUTOEXEC.BAT"),
             dosText(kAutoexecHead + QStringList{"F:LOGIN PELLA", "A:", "MAP I:=\\\\IMAGESRV\\Sys\\Images",
                                                 "A:", "lh client.exe"}));
    QCOMPARE(diskFile(h.diskA, "NET.CFG"), netWareNetCfg({}, "Ethernet_802.2", "F"));
    QCOMPARE(diskFile(h.diskA, "TRAN.VLM"), sourceBytes("TRAN.VLM"));
    QCOMPARE(diskFile(h.diskA, "CLIENT.EXE"), sourceBytes("client.exe"));
}

void TestNetwareWriter::shortWriteEndsTheRun() {
    StandaloneHarness h;
    seedNovell(h);
    TestEnv::writeHostFile(h.fixed + "/PCBW/client.exe", QByteArray(1600 * 1024, 'x')); // more than fits
    h.diskA = h.tmp.filePath("A.img");
    QVERIFY(TestEnv::makeBlankImage(h.diskA));
    CreateNovellDiskette(h.start());

    QVERIFY(h.run->BuildCancelled());
    QCOMPARE(h.dialogs.texts(),
             QStringList{"A:\\client.exe File write error! \rno space left on the diskette"});
    QCOMPARE(h.run->values().CopyResult, 1);
    QCOMPARE(h.run->failedFile(), QString("A:\\client.exe"));
    QCOMPARE(h.view.statuses.last(), QString(" Copying Pellacore Client file..."));
    QCOMPARE(h.view.gauges.last(), 100);
    h.fs.reset();
    QVERIFY(TestEnv::fsckClean(h.diskA));
}

// The build page's run picks this writer for BuildMode 2 and ends with the "complete" question.
void TestNetwareWriter::wholeRun() {
    StandaloneHarness h;
    seedNovell(h);
    for (const char* f : {"HIMEM.SYS", "EMM386.EXE", "COMMAND.COM"})
        TestEnv::writeHostFile(h.diskA + "/" + f, "dos");
    h.settings.setBuildMode(BuildMode::NetWare);
    QCOMPARE(h.start().MakeTheDisk(), Dialogs::Button::Yes);

    QCOMPARE(h.dialogs.texts(), QStringList{"Client diskette build complete.  Create Another?"});
    QCOMPARE(h.view.statuses.last(), QString("Done. "));
    QCOMPARE(diskFile(h.diskA, "NET.CFG"), netWareNetCfg({}, "Ethernet_802.2", "F"));
    QCOMPARE(diskFile(h.diskA, "TRAN.VLM"), sourceBytes("TRAN.VLM"));
}

QTEST_GUILESS_MAIN(TestNetwareWriter)
#include "tst_netware_writer.moc"
