#include "platform/io_error.h"
#include "standalone_harness.h"
#include "writers/microsoft_autoexec.h"
#include "writers/microsoft_writer.h"

#include <QtTest>

namespace {

const QByteArray kAutoexecServer =
    dosText(kMicrosoftAutoexecHead + QStringList{"net use I: \\\\IMAGESRV\\D", "lh I:client.exe"});
const QByteArray kAutoexecFloppy =
    dosText(kMicrosoftAutoexecHead + QStringList{"net use I: \\\\IMAGESRV\\D", "echo off",
                                                 "echo Please insert DISK2 with CLIENT.EXE on it...", "pause",
                                                 "lh client.exe"});

const QList<int> kOneDisketteGauges{33, 66, 100, 100, 0,  5,  10, 15, 20, 25, 30, 35,
                                    40, 45, 55,  60,  65, 70, 75, 80, 85, 90, 95};

QStringList fullListing(const QString& nic = QStringLiteral("NE2000.DOS")) {
    QStringList out{"AUTOEXEC.BAT", "CONFIG.SYS", "NET/", "NET/PROTOCOL.INI", "NET/SYSTEM.INI", "NET/" + nic};
    for (const QString& f : kMicrosoftFiles)
        out << "NET/" + f;
    out.sort();
    return out;
}

const char* const kFloppy = "TForm9.ComboBox1=2";
const char* const kServer = "TForm9.ComboBox1=1";

} // namespace

// Microsoft TCP/IP diskette writer with its AUTOEXEC.BAT: every file byte for byte, both forms,
// progress, failures and what each diskette holds afterwards.
class TestMicrosoftWriter : public QObject {
    Q_OBJECT

private:
    static void seedMicrosoft(StandaloneHarness& h) {
        for (const QString& f : kMicrosoftFiles)
            h.putSource("MSCLIENT/" + f);
    }

private Q_SLOTS:
    void protocolIni_data();
    void protocolIni();
    void systemIni_data();
    void systemIni();
    void autoexec_data();
    void autoexec();
    void autoexecSkippedWhenCancelled();
    void oneDiskette();
    void twoDiskettes();
    void missingFile_data();
    void missingFile();
    void missingDriverInTwoDisketteForm();
    void missingClientOnSecondDiskette();
    void configSysUnwritable();
    void textFileUnwritable_data();
    void textFileUnwritable();
    void secondAutoexecUnwritable();
    void existingNetDirectoryIsUsed();
    void cancelDuringCopiesInTwoDisketteForm();
    void freshImages();
    void textFileFailureEndsRunAsCancelled();
};

void TestMicrosoftWriter::protocolIni_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QByteArray>("expected");

    const QStringList dhcp{"DisableDHCP=0"};
    QTest::newRow("DHCP, plug and play: 20 lines")
        << QStringList{"TForm40.RadioButton16=1", "TForm40.Edit1=DHCP", "TForm40.Edit2=DHCP"}
        << microsoftProtocolIni("NE2000", {}, dhcp);
    QTest::newRow("DHCP, not plug and play: 22 lines")
        << QStringList{"TForm40.Edit1=DHCP", "TForm40.Edit2=255.  0.  0.  0", "TForm7.RadioButton2=1",
                       "TForm7.ComboBox1=11", "TForm7.ComboBox2=360"}
        << microsoftProtocolIni("NE2000", {"INTERRUPT = 11", "IOBASE = 0x360"}, dhcp);
    QTest::newRow("page defaults: fixed address 0 0 0 0")
        << QStringList{}
        << microsoftProtocolIni("NE2000", {},
                                {"SUBNETMASK0=255 0 0 0", "IPADDRESS0=0 0 0 0", "DisableDHCP=1"});
    QTest::newRow("fixed address, not plug and play: 24 lines")
        << QStringList{"TForm40.Edit1=192.168.  1. 25", "TForm40.Edit2=255.255.255.  0",
                       "TForm7.RadioButton2=1"}
        << microsoftProtocolIni("NE2000", {"INTERRUPT = 5", "IOBASE = 0x300"},
                                {"SUBNETMASK0=255 255 255 0", "IPADDRESS0=192 168 1 25", "DisableDHCP=1"});
    QTest::newRow("driver E100B.DOS named in lower case")
        << QStringList{"TForm4.Edit2=c:\\nics\\e100b.dos", "TForm40.Edit1= 10.  0. 12.  5"}
        << microsoftProtocolIni("E100B", {},
                                {"SUBNETMASK0=255 0 0 0", "IPADDRESS0=10 0 12 5", "DisableDHCP=1"});
}

void TestMicrosoftWriter::protocolIni() {
    QFETCH(QStringList, values);
    QFETCH(QByteArray, expected);
    StandaloneHarness h;
    seedMicrosoft(h);
    h.putSource("NICS/E100B.DOS");
    h.apply(values);
    CreateMicrosoftDiskette(h.start());

    QVERIFY(!h.run->BuildCancelled());
    QCOMPARE(diskFile(h.diskA, "NET/PROTOCOL.INI"), expected);
    QCOMPARE(diskFile(h.diskA, "CONFIG.SYS"), kMicrosoftConfigSys);
}

void TestMicrosoftWriter::systemIni_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("workgroup, names trimmed")
        << QStringList{"TForm40.Edit3=  PC01 ", "TForm40.Edit6= jdoe ", "TForm40.Edit5= SALES "} << "A"
        << microsoftSystemIni("PC01", "A:", "jdoe", "SALES", "0", "NE2000.DOS");
    QTest::newRow("domain") << QStringList{"TForm40.Edit3=PC01", "TForm40.Edit6=jdoe", "TForm40.Edit5=SALES",
                                           "TForm40.RadioButton11=1"}
                            << "A"
                            << microsoftSystemIni("PC01", "A:", "jdoe", "SALES", "SALES", "NE2000.DOS");
    QTest::newRow("drive B:, empty names") << QStringList{"TForm2.RadioButton2=1"} << "B"
                                           << microsoftSystemIni("", "B:", "", "", "0", "NE2000.DOS");
}

void TestMicrosoftWriter::systemIni() {
    QFETCH(QStringList, values);
    QFETCH(QString, disk);
    QFETCH(QByteArray, expected);
    StandaloneHarness h;
    seedMicrosoft(h);
    h.apply(values);
    CreateMicrosoftDiskette(h.start());

    const QString root = disk == "A" ? h.diskA : h.diskB;
    QCOMPARE(diskFile(root, "NET/SYSTEM.INI"), expected);
    QCOMPARE(listing(root), fullListing());
    QCOMPARE(listing(disk == "A" ? h.diskB : h.diskA), QStringList{});
}

void TestMicrosoftWriter::autoexec_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("disk");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("client on server, defaults") << QStringList{kServer} << "A" << kAutoexecServer;
    QTest::newRow("client on server, F: and share with blanks")
        << QStringList{kServer, "TForm40.ComboBox3=5", "TForm40.Edit4= \\\\SRV\\PCBW "} << "A"
        << dosText(kMicrosoftAutoexecHead + QStringList{"net use F: \\\\SRV\\PCBW", "lh F:client.exe"});
    QTest::newRow("client on server, no drive selected")
        << QStringList{kServer, "TForm40.ComboBox3=-1"} << "A"
        << dosText(kMicrosoftAutoexecHead + QStringList{"net use  \\\\IMAGESRV\\D", "lh client.exe"});
    QTest::newRow("client on floppy") << QStringList{kFloppy} << "A" << kAutoexecFloppy;
    QTest::newRow("client on server in drive B:")
        << QStringList{kServer, "TForm2.RadioButton2=1"} << "B" << kAutoexecServer;
}

void TestMicrosoftWriter::autoexec() {
    QFETCH(QStringList, values);
    QFETCH(QString, disk);
    QFETCH(QByteArray, expected);
    StandaloneHarness h;
    h.apply(values);
    MicrosoftAutoexec(h.start());

    QCOMPARE(diskFile(disk == "A" ? h.diskA : h.diskB, "AUTOEXEC.BAT"), expected);
    QCOMPARE(h.view.statuses, QStringList{" Creating AUTOEXEC.BAT..."});
    QCOMPARE(h.view.gauges, QList<int>{66});
}

void TestMicrosoftWriter::autoexecSkippedWhenCancelled() {
    StandaloneHarness h;
    BuildRun& run = h.start();
    run.cancel();
    MicrosoftAutoexec(run);

    QCOMPARE(listing(h.diskA), QStringList{});
    QCOMPARE(h.view.statuses, QStringList{});
    QCOMPARE(h.view.gauges, QList<int>{});
}

void TestMicrosoftWriter::oneDiskette() {
    StandaloneHarness h;
    seedMicrosoft(h);
    h.apply({kServer});
    BuildRun& run = h.start();
    bool asked = false;
    run.secondDiskette = [&] {
        asked = true;
    };
    CreateMicrosoftDiskette(run);

    QVERIFY(!asked);
    QCOMPARE(h.dialogs.texts(), QStringList{});
    QCOMPARE(h.view.gauges, kOneDisketteGauges);
    QCOMPARE(h.view.ticks, (QSet<int>{2, 3, 5}));
    QStringList statuses{" Creating CONFIG.SYS...", " Creating AUTOEXEC.BAT...", " Creating PROTOCOL.INI...",
                         " Creating SYSTEM.INI...", " Copying NIC Driver..."};
    for (const QString& f : kMicrosoftFiles)
        statuses << " Copying " + (f == "LMHOSTS" ? QString("LMHOSTS.") : f) + "...";
    QCOMPARE(h.view.statuses, statuses);
    QCOMPARE(listing(h.diskA), fullListing());
    QCOMPARE(diskFile(h.diskA, "AUTOEXEC.BAT"), kAutoexecServer);
    for (const QString& f : kMicrosoftFiles)
        QCOMPARE(diskFile(h.diskA, "NET/" + f), sourceBytes(f));
    QCOMPARE(diskFile(h.diskA, "NET/NE2000.DOS"), sourceBytes("NE2000.DOS"));
}

void TestMicrosoftWriter::twoDiskettes() {
    StandaloneHarness h;
    seedMicrosoft(h);
    h.putSource("PCBW/myclient.exe");
    h.apply({kFloppy, "TForm11.Edit1=C:\\PCBW\\myclient.exe"});
    BuildRun& run = h.start();
    h.secondDisketteInA();
    QStringList order;
    h.dialogs.onMessage([&](const ScriptedDialogs::Shown& s) { order << "box:" + s.text; });
    auto swap = run.secondDiskette;
    run.secondDiskette = [&] {
        order << "swap";
        swap();
    };
    CreateMicrosoftDiskette(run);

    QVERIFY(!run.BuildCancelled());
    QCOMPARE(order, (QStringList{"box:Insert Disk #2...", "swap"}));
    QCOMPARE(h.dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
    QCOMPARE(h.dialogs.shown().first().icon, Dialogs::Icon::Information);
    QCOMPARE(h.view.gauges, (kOneDisketteGauges + QList<int>{66, 0, 100}));
    QCOMPARE(h.view.statuses.mid(h.view.statuses.size() - 2),
             (QStringList{" Creating AUTOEXEC.BAT...", " Copying Pellacore Client file..."}));
    QCOMPARE(h.view.ticks, (QSet<int>{2, 3, 4, 5}));

    QCOMPARE(listing(h.diskA), fullListing());
    QCOMPARE(diskFile(h.diskA, "AUTOEXEC.BAT"), kAutoexecFloppy);
    QCOMPARE(listing(h.diskA2), (QStringList{"AUTOEXEC.BAT", "MYCLIENT.EXE"}));
    QCOMPARE(diskFile(h.diskA2, "AUTOEXEC.BAT"), kAutoexecFloppy);
    QCOMPARE(diskFile(h.diskA2, "myclient.exe"), sourceBytes("myclient.exe"));
    QCOMPARE(run.values().ClientFile, QString("C:\\PCBW\\myclient.exe"));
}

void TestMicrosoftWriter::missingFile_data() {
    QTest::addColumn<int>("missing");
    QTest::newRow("NET.EXE") << 0;
    QTest::newRow("TCPDRV.DOS") << 11;
    QTest::newRow("LMHOSTS.") << 14;
    QTest::newRow("TCPUTILS.INI") << 15;
}

void TestMicrosoftWriter::missingFile() {
    QFETCH(int, missing);
    StandaloneHarness h;
    seedMicrosoft(h);
    h.removeSource("MSCLIENT/" + kMicrosoftFiles[missing]);
    h.apply({kServer});
    CreateMicrosoftDiskette(h.start());

    const QString name =
        kMicrosoftFiles[missing] == "LMHOSTS" ? QString("LMHOSTS.") : kMicrosoftFiles[missing];
    QVERIFY(h.run->BuildCancelled());
    QCOMPARE(h.dialogs.texts(), QStringList{"The File C:\\MSCLIENT\\" + name +
                                            " could not be found.  Creation can not proceed."});
    QCOMPARE(h.view.gauges, kOneDisketteGauges);
    QCOMPARE(h.view.statuses.last(), " Copying " + name + "...");
    QStringList expected{"AUTOEXEC.BAT",   "CONFIG.SYS",       "NET/",
                         "NET/NE2000.DOS", "NET/PROTOCOL.INI", "NET/SYSTEM.INI"};
    for (const QString& f : kMicrosoftFiles.mid(0, missing))
        expected << "NET/" + f;
    expected.sort();
    QCOMPARE(listing(h.diskA), expected);
}

void TestMicrosoftWriter::missingDriverInTwoDisketteForm() {
    StandaloneHarness h;
    seedMicrosoft(h);
    h.removeSource("NICS/NE2000.DOS");
    h.apply({kFloppy});
    BuildRun& run = h.start();
    h.secondDisketteInA();
    CreateMicrosoftDiskette(run);

    QVERIFY(run.BuildCancelled());
    QCOMPARE(h.dialogs.texts(),
             QStringList{"The File C:\\NICS\\NE2000.DOS could not be found.  Creation can not proceed."});
    QCOMPARE(h.view.gauges, (QList<int>{33, 66, 100, 100, 0}));
    QCOMPARE(h.view.ticks, (QSet<int>{2, 3, 4, 5}));
    QCOMPARE(listing(h.diskA),
             (QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "NET/", "NET/PROTOCOL.INI", "NET/SYSTEM.INI"}));
    QCOMPARE(listing(h.diskA2), QStringList{});
}

void TestMicrosoftWriter::missingClientOnSecondDiskette() {
    StandaloneHarness h;
    seedMicrosoft(h);
    h.removeSource("PCBW/client.exe");
    h.apply({kFloppy});
    BuildRun& run = h.start();
    h.secondDisketteInA();
    CreateMicrosoftDiskette(run);

    QVERIFY(run.BuildCancelled());
    QCOMPARE(
        h.dialogs.texts(),
        (QStringList{"Insert Disk #2...",
                     "The Pellacore Client could not be found in the specified location.  Creation can not "
                     "proceed."}));
    QCOMPARE(h.view.gauges.mid(h.view.gauges.size() - 2), (QList<int>{66, 0}));
    QCOMPARE(listing(h.diskA2), QStringList{"AUTOEXEC.BAT"});
}

void TestMicrosoftWriter::configSysUnwritable() {
    StandaloneHarness h;
    seedMicrosoft(h);
    QDir(h.diskA).mkdir("CONFIG.SYS");
    h.apply({kFloppy});
    BuildRun& run = h.start();
    h.secondDisketteInA();
    CreateMicrosoftDiskette(run);

    QVERIFY(run.BuildCancelled());
    QCOMPARE(h.dialogs.texts(), QStringList{"CONFIG.SYS could not be created.  Build can not continue.\r"
                                            "a folder of that name is in the way"});
    QCOMPARE(h.dialogs.shown().first().helpContext, 600);
    QCOMPARE(h.view.gauges, QList<int>{33});
    QCOMPARE(h.view.statuses, QStringList{" Creating CONFIG.SYS..."});
    QCOMPARE(listing(h.diskA), QStringList{"CONFIG.SYS/"});
    QCOMPARE(listing(h.diskA2), QStringList{});
}

void TestMicrosoftWriter::textFileUnwritable_data() {
    QTest::addColumn<QString>("blocker"); // made a directory so that the file cannot be created
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("message");
    const QString inTheWay = "could not be created.\ra folder of that name is in the way";
    QTest::newRow("AUTOEXEC.BAT") << "AUTOEXEC.BAT" << QStringList{"AUTOEXEC.BAT/", "CONFIG.SYS"}
                                  << "A:\\AUTOEXEC.BAT " + inTheWay;
    QTest::newRow("SYSTEM.INI") << "NET/SYSTEM.INI"
                                << QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "NET/", "NET/PROTOCOL.INI",
                                               "NET/SYSTEM.INI/"}
                                << "A:\\NET\\SYSTEM.INI " + inTheWay;
    // A file named NET keeps \NET from being made; that is not reported until PROTOCOL.INI fails.
    QTest::newRow("\\NET not made") << "" << QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "NET"}
                                    << "A:\\NET\\PROTOCOL.INI could not be created.\r";
}

// The file is reported with the reason, the run ends there as a cancelled run does, and nothing
// after it is written.
void TestMicrosoftWriter::textFileUnwritable() {
    QFETCH(QString, blocker);
    QFETCH(QStringList, left);
    QFETCH(QString, message);
    StandaloneHarness h;
    seedMicrosoft(h);
    if (blocker.isEmpty())
        TestEnv::writeHostFile(h.diskA + "/NET", "not a directory");
    else
        QDir(h.diskA).mkpath(blocker);
    BuildRun& run = h.start();

    CreateMicrosoftDiskette(run);
    QVERIFY(run.BuildCancelled());
    QCOMPARE(h.dialogs.texts().size(), 1);
    QVERIFY2(h.dialogs.texts().first().startsWith(message), qPrintable(h.dialogs.texts().first()));
    QCOMPARE(run.failedFile(), message.section(' ', 0, 0));
    QCOMPARE(listing(h.diskA), left);
}

void TestMicrosoftWriter::secondAutoexecUnwritable() {
    StandaloneHarness h;
    seedMicrosoft(h);
    h.apply({kFloppy});
    QDir(h.diskA2).mkdir("AUTOEXEC.BAT"); // stands for a write-protected second diskette
    BuildRun& run = h.start();
    h.secondDisketteInA();

    CreateMicrosoftDiskette(run);
    QCOMPARE(h.dialogs.texts(), (QStringList{"Insert Disk #2...", "A:\\AUTOEXEC.BAT could not be created.\r"
                                                                  "a folder of that name is in the way"}));
    QVERIFY(run.BuildCancelled());
    QCOMPARE(listing(h.diskA2), QStringList{"AUTOEXEC.BAT/"}); // the client is not copied either
    QCOMPARE(listing(h.diskA), fullListing());
}

void TestMicrosoftWriter::existingNetDirectoryIsUsed() {
    StandaloneHarness h;
    seedMicrosoft(h);
    TestEnv::writeHostFile(h.diskA + "/NET/PROTOCOL.INI", "old contents, longer than nothing at all\r\n");
    h.apply({kServer, "TForm40.RadioButton16=1", "TForm40.Edit1=DHCP", "TForm40.Edit2=DHCP"});
    CreateMicrosoftDiskette(h.start());

    QVERIFY(!h.run->BuildCancelled());
    QCOMPARE(listing(h.diskA), fullListing());
    QCOMPARE(diskFile(h.diskA, "NET/PROTOCOL.INI"), microsoftProtocolIni("NE2000", {}, {"DisableDHCP=0"}));
}

void TestMicrosoftWriter::cancelDuringCopiesInTwoDisketteForm() {
    StandaloneHarness h;
    seedMicrosoft(h);
    h.apply({kFloppy});
    h.view.cancelAt = " Copying NEMM.DOS...";
    BuildRun& run = h.start();
    bool swapped = false;
    run.secondDiskette = [&] {
        swapped = true;
    };
    CreateMicrosoftDiskette(run);

    QVERIFY(run.BuildCancelled());
    QVERIFY(!swapped);
    QCOMPARE(h.dialogs.texts(), QStringList{});
    QCOMPARE(h.view.ticks, (QSet<int>{2, 3, 4, 5}));
    QCOMPARE(h.view.gauges, kOneDisketteGauges);
    QCOMPARE(h.view.statuses.last(), QString(" Copying NEMM.DOS..."));
    QVERIFY(listing(h.diskA).contains("NET/NEMM.DOS"));
    QVERIFY(!listing(h.diskA).contains("NET/TCPDRV.DOS"));
    QCOMPARE(listing(h.diskA2), QStringList{});
}

void TestMicrosoftWriter::freshImages() {
    StandaloneHarness h;
    seedMicrosoft(h);
    h.diskA = h.tmp.filePath("A.img");
    h.diskA2 = h.tmp.filePath("A2.img");
    QVERIFY(TestEnv::makeBlankImage(h.diskA));
    QVERIFY(TestEnv::makeBlankImage(h.diskA2));
    h.apply({kFloppy, "TForm7.RadioButton2=1", "TForm40.Edit1=192.168.  1. 25"});
    BuildRun& run = h.start();
    h.secondDisketteInA();
    CreateMicrosoftDiskette(run);
    h.fs.reset();

    QVERIFY(!run.BuildCancelled());
    for (const QString& img : {h.diskA, h.diskA2}) {
        QByteArray report;
        QVERIFY2(TestEnv::fsckClean(img, &report), report.constData());
    }
    QCOMPARE(listing(h.diskA), fullListing());
    QCOMPARE(diskFile(h.diskA, "CONFIG.SYS"), kMicrosoftConfigSys);
    QCOMPARE(diskFile(h.diskA, "AUTOEXEC.BAT"), kAutoexecFloppy);
    QCOMPARE(diskFile(h.diskA, "NET/PROTOCOL.INI"),
             microsoftProtocolIni("NE2000", {"INTERRUPT = 5", "IOBASE = 0x300"},
                                  {"SUBNETMASK0=255 0 0 0", "IPADDRESS0=192 168 1 25", "DisableDHCP=1"}));
    QCOMPARE(diskFile(h.diskA, "NET/SYSTEM.INI"), microsoftSystemIni("", "A:", "", "", "0", "NE2000.DOS"));
    QCOMPARE(diskFile(h.diskA, "NET/LMHOSTS"), sourceBytes("LMHOSTS"));
    QCOMPARE(listing(h.diskA2), (QStringList{"AUTOEXEC.BAT", "CLIENT.EXE"}));
    QCOMPARE(diskFile(h.diskA2, "AUTOEXEC.BAT"), kAutoexecFloppy);
    QCOMPARE(diskFile(h.diskA2, "CLIENT.EXE"), sourceBytes("client.exe"));
}

// From the build page: an unwritable SYSTEM.INI ends the run at once, with neither "Done. " nor the
// final question, and nothing after it copied.
void TestMicrosoftWriter::textFileFailureEndsRunAsCancelled() {
    StandaloneHarness h;
    seedMicrosoft(h);
    for (const char* f : {"HIMEM.SYS", "EMM386.EXE", "COMMAND.COM"})
        TestEnv::writeHostFile(h.diskA + "/" + f, "dos");
    QDir(h.diskA).mkpath("NET/SYSTEM.INI");
    h.settings.setBuildMode(BuildMode::Microsoft);
    h.apply({kServer});
    BuildRun& run = h.start();

    run.MakeTheDisk();
    QCOMPARE(h.dialogs.texts(),
             (QStringList{"A:\\NET\\SYSTEM.INI could not be created.\ra folder of that name is in the way",
                          "Client diskette build canceled.  Create Another?"}));
    QCOMPARE(h.view.statuses.mid(h.view.statuses.size() - 2),
             (QStringList{" Creating SYSTEM.INI...", "Done. "}));
    QVERIFY(!listing(h.diskA).contains("NET/NE2000.DOS"));
}

QTEST_GUILESS_MAIN(TestMicrosoftWriter)
#include "tst_microsoft_writer.moc"
