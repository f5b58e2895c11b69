#include "build_fixture.h"
#include "platform/delay.h"
#include "platform/io_error.h"

#include <QtTest>

namespace {

const QByteArray kConfigSys = "REM [CONFIG.SYS : Created by PCBW 12/7/2026]\r\n"
                              "dos=high, umb\r\n"
                              "device=himem.sys /NUMHandles=128 /TESTMEM:ON\r\n"
                              "device=emm386.exe /NOEMS\r\n"
                              "files=60\r\n"
                              "stacks=0,0\r\n"
                              "buffers=30\r\n"
                              "devicehigh=PROTMAN.DOS /i:\\\r\n"
                              "devicehigh=NE2000.DOS\r\n"
                              "devicehigh=DIS_PKT9.DOS\r\n";

const QByteArray kAutoexec = "@ECHO OFF\r\n"
                             "REM [AUTOEXEC.BAT : Created by PCBW 12/7/2026]\r\n"
                             "prompt $p$g\r\n"
                             "netbind.com\r\n"
                             "lh client.exe\r\n";

const QByteArray kWattcp = "[CLIENT DISKETTE OPERATION]\r\n"
                           "MY_IP=10.0.0.5\r\n"
                           "HOSTNAME=CLIENT01\r\n"
                           "NETMASK=255.255.255.0\r\n";

const QByteArray kProtocolHead = "[protocol manager]\r\n"
                                 "        drivername = PROTMAN$\r\n"
                                 " \r\n"
                                 "[pktdrv]\r\n"
                                 "        drivername = PKTDRV$\r\n"
                                 "        bindings = THEDRIVER\r\n"
                                 "        intvec = 0x60\r\n"
                                 "        chainvec = 0x66\r\n"
                                 " \r\n"
                                 "[THEDRIVER]\r\n";

const QStringList kTextFiles = {"AUTOEXEC.BAT", "CONFIG.SYS", "PROTOCOL.INI", "WATTCP.CFG"};

// Applies "name=value" pairs in their save form.
void apply(BuildSettings& settings, const QStringList& sets) {
    for (const QString& set : sets) {
        const qsizetype eq = set.indexOf('=');
        settings.setValue(set.left(eq), set.mid(eq + 1));
    }
}

} // namespace

class TestMulticastWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setDelayPacing(0); }

    void wholeDiskette();
    void wattcpCfg_data();
    void wattcpCfg();
    void driverLines_data();
    void driverLines();
    void missingSource_data();
    void missingSource();
    void driverPathWithoutSeparator();
    void configSysUnwritable();
    void textFileUnwritable_data();
    void textFileUnwritable();
    void cancelAtStep_data();
    void cancelAtStep();
    void clientKeepsItsName();
    void freshImage();
};

void TestMulticastWriter::wholeDiskette() {
    BuildFixture f;
    QCOMPARE(f.build(1), Dialogs::Button::Yes);
    QCOMPARE(f.dialogs.texts(), QStringList{kComplete});
    QCOMPARE(f.diskFile("CONFIG.SYS"), kConfigSys);
    QCOMPARE(f.diskFile("AUTOEXEC.BAT"), kAutoexec);
    QCOMPARE(f.diskFile("WATTCP.CFG"), kWattcp);
    QCOMPARE(f.diskFile("PROTOCOL.INI"), kProtocolHead + "        drivername = MS2000$\r\n");
    QCOMPARE(f.diskFile("client.exe"), QByteArray("Pellacore client program"));
    QCOMPARE(f.diskFile("NE2000.DOS"), QByteArray("NE2000 NDIS driver"));
    QCOMPARE(f.diskFile("netbind.com"), QByteArray("netbind"));
    QCOMPARE(f.diskFile("dis_pkt9.dos"), QByteArray("dis_pkt9"));
    QCOMPARE(f.diskFile("protman.exe"), QByteArray("protman exe"));
    QCOMPARE(f.diskFile("protman.dos"), QByteArray("protman dos"));
    QCOMPARE(f.builtFiles(), sorted(kTextFiles + QStringList{"NE2000.DOS", "client.exe", "dis_pkt9.dos",
                                                             "netbind.com", "protman.dos", "protman.exe"}));

    const QStringList events = {
        "status: ",
        "gauge:0",
        "tick:3:1",
        "tick:3:1",
        "status: Creating CONFIG.SYS...",
        "gauge:25",
        "status: Creating AUTOEXEC.BAT...",
        "gauge:50",
        "status: Creating WATTCP.CFG...",
        "gauge:75",
        "status: Creating PROTOCOL.INI...",
        "gauge:100",
        "tick:4:1",
        "status: Copying Pellacore Client file...",
        "gauge:0",
        "tick:4:1",
        "gauge:100",
        "tick:5:1",
        "gauge:20",
        "status: Copying NIC Driver...",
        "gauge:40",
        "status: Copying NETBIND.COM...",
        "gauge:60",
        "status: Copying DIS_PKT9.DOS...",
        "gauge:80",
        "status: Copying PROTMAN.EXE...",
        "gauge:100",
        "status: Copying PROTMAN.DOS...",
        "status: Verifying diskette...",
        "status:Done. ",
    };
    QCOMPARE(f.view.events, events);

    // A second build onto the same diskette replaces every file.
    f.settings.setText("TForm6.Edit1", " 10.  0.  0.  6");
    BuildFixture::putSource(f.client, "newer client");
    f.dialogs.clear();
    f.build(1);
    QCOMPARE(f.dialogs.texts(), QStringList{kComplete});
    QVERIFY(f.diskFile("WATTCP.CFG").contains("MY_IP=10.0.0.6\r\n"));
    QCOMPARE(f.diskFile("client.exe"), QByteArray("newer client"));
    QCOMPARE(f.builtFiles().size(), 10);
}

void TestMulticastWriter::wattcpCfg_data() {
    QTest::addColumn<QStringList>("sets");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray head = "[CLIENT DISKETTE OPERATION]\r\n";
    const QByteArray post = " \r\n[POST-CONFIGURATION OPTIONS]\r\n";
    const QByteArray client = head + "MY_IP=10.0.0.5\r\nHOSTNAME=CLIENT01\r\nNETMASK=255.255.255.0\r\n";

    QTest::newRow("dhcp") << QStringList{"TForm6.CheckBox3=1", "TForm6.Edit1=DHCP", "TForm6.Edit2=DHCP"}
                          << head + "MY_IP=DHCP\r\nHOSTNAME=CLIENT01\r\nNETMASK=DHCP\r\n";
    QTest::newRow("dhcp ticked decides alone")
        << QStringList{"TForm6.CheckBox3=1"}
        << head + "MY_IP=DHCP\r\nHOSTNAME=CLIENT01\r\nNETMASK=255.255.255.0\r\n";
    QTest::newRow("short octets, blank mask")
        << QStringList{"TForm6.Edit1=192.168.  1. 10", "TForm6.Edit2=   .   .   .   "}
        << head + "MY_IP=192.168.1.10\r\nHOSTNAME=CLIENT01\r\nNETMASK=...\r\n";
    QTest::newRow("digits anywhere in a group")
        << QStringList{"TForm6.Edit1=1  . 2 .10 .  5"}
        << head + "MY_IP=1.2.10.5\r\nHOSTNAME=CLIENT01\r\nNETMASK=255.255.255.0\r\n";
    QTest::newRow("default address") << QStringList{"TForm6.Edit1=  0.  0.  0.  0"}
                                     << head +
                                            "MY_IP=0.0.0.0\r\nHOSTNAME=CLIENT01\r\nNETMASK=255.255.255.0\r\n";
    QTest::newRow("name trimmed, inner blank kept")
        << QStringList{"TForm6.Edit3=  lab pc7 "}
        << head + "MY_IP=10.0.0.5\r\nHOSTNAME=LAB PC7\r\nNETMASK=255.255.255.0\r\n";
    QTest::newRow("post-configuration off ignores its page")
        << QStringList{"TForm99.RadioButton2=1", "TForm99.Edit3=WS01",     "TForm99.RadioButton9=1",
                       "TForm99.Edit6=jdoe",     "TForm99.RadioButton3=1", "TForm99.RadioButton5=1"}
        << client;
    QTest::newRow("post-configuration, all same as image")
        << QStringList{"TForm99.RadioButton1=1"} << client + post;
    QTest::newRow("domain trimmed") << QStringList{"TForm99.RadioButton1=1", "TForm99.RadioButton11=1",
                                                   "TForm99.Edit5=  CORP  "}
                                    << client + post + "DOMAIN=CORP\r\n";
    QTest::newRow("empty workgroup still written")
        << QStringList{"TForm99.RadioButton1=1", "TForm99.RadioButton9=1", "TForm99.Edit5="}
        << client + post + "WORKGROUP=\r\n";
    QTest::newRow("every line") << QStringList{"TForm99.RadioButton1=1",        "TForm99.Edit3= WS01 ",
                                               "TForm99.RadioButton9=1",        "TForm99.Edit5=ENG",
                                               "TForm99.Edit6= jdoe ",          "TForm99.RadioButton3=1",
                                               "TForm99.Edit1=192.168.  1.  7", "TForm99.RadioButton5=1",
                                               "TForm99.Edit2=255.255.  0.  0"}
                                << client + post +
                                       "COMPUTERNAME=WS01\r\nWORKGROUP=ENG\r\nLOGINNAME=jdoe\r\n"
                                       "IPADDRESS=192.168.1.7\r\nSUBNETMASK=255.255.0.0\r\n";
    QTest::newRow("post address by BOOTP")
        << QStringList{"TForm99.RadioButton1=1", "TForm99.RadioButton3=1", "TForm99.Edit1=BOOTP"}
        << client + post + "IPADDRESS=BOOTP\r\n";
    QTest::newRow("same as image compared exactly")
        << QStringList{"TForm99.RadioButton1=1", "TForm99.Edit3=same as image",
                       "TForm99.Edit6=  Same as Image  "}
        << client + post + "COMPUTERNAME=same as image\r\n";
    QTest::newRow("only the mask") << QStringList{"TForm99.RadioButton1=1", "TForm99.RadioButton5=1",
                                                  "TForm99.Edit2=255.  0.  0.  0"}
                                   << client + post + "SUBNETMASK=255.0.0.0\r\n";
}

void TestMulticastWriter::wattcpCfg() {
    QFETCH(QStringList, sets);
    BuildFixture f;
    apply(f.settings, sets);
    f.build(1);
    QTEST(f.diskFile("WATTCP.CFG"), "expected");
    QCOMPARE(f.dialogs.texts(), QStringList{kComplete});
}

void TestMulticastWriter::driverLines_data() {
    QTest::addColumn<QString>("driver"); // file in the NIC directory, as chosen
    QTest::addColumn<QStringList>("sets");
    QTest::addColumn<QString>("copiedAs");
    QTest::addColumn<QByteArray>("deviceLine");
    QTest::addColumn<QByteArray>("tail"); // PROTOCOL.INI from the driver name on

    QTest::newRow("ne2000") << "ne2000.dos" << QStringList{} << "NE2000.DOS"
                            << QByteArray("devicehigh=NE2000.DOS")
                            << QByteArray("        drivername = MS2000$\r\n");
    QTest::newRow("netflx3") << "NETFLX3.DOS" << QStringList{} << "NETFLX3.DOS"
                             << QByteArray("devicehigh=NETFLX3.DOS")
                             << QByteArray("        drivername = NTFLX3$\r\n");
    QTest::newRow("other driver") << "e100b.dos" << QStringList{} << "E100B.DOS"
                                  << QByteArray("devicehigh=E100B.DOS")
                                  << QByteArray("        drivername = E100B$\r\n");
    QTest::newRow("ne2000 without extension")
        << "ne2000" << QStringList{} << "NE2000" << QByteArray("devicehigh=NE2000")
        << QByteArray("        drivername = MS2000$\r\n");
    QTest::newRow("not plug and play")
        << "ne2000.dos" << QStringList{"TForm7.RadioButton2=1", "TForm7.ComboBox1=10", "TForm7.ComboBox2=300"}
        << "NE2000.DOS" << QByteArray("devicehigh=NE2000.DOS")
        << QByteArray("        drivername = MS2000$\r\n"
                      "        INTERRUPT = 10\r\n"
                      "        IOBASE = 0x300\r\n");
    QTest::newRow("not plug and play, typed base")
        << "e100b.dos" << QStringList{"TForm7.RadioButton2=1", "TForm7.ComboBox1=3", "TForm7.ComboBox2=2A0"}
        << "E100B.DOS" << QByteArray("devicehigh=E100B.DOS")
        << QByteArray("        drivername = E100B$\r\n"
                      "        INTERRUPT = 3\r\n"
                      "        IOBASE = 0x2A0\r\n");
    QTest::newRow("plug and play ignores IRQ and base")
        << "e100b.dos" << QStringList{"TForm7.RadioButton1=1", "TForm7.ComboBox1=10", "TForm7.ComboBox2=320"}
        << "E100B.DOS" << QByteArray("devicehigh=E100B.DOS") << QByteArray("        drivername = E100B$\r\n");
}

void TestMulticastWriter::driverLines() {
    QFETCH(QString, driver);
    QFETCH(QStringList, sets);
    QFETCH(QString, copiedAs);
    QFETCH(QByteArray, deviceLine);
    BuildFixture f;
    BuildFixture::putSource(f.nics + driver, "the driver");
    f.settings.setText("TForm4.Edit2", f.nics + driver);
    apply(f.settings, sets);
    f.build(1);
    QCOMPARE(f.dialogs.texts(), QStringList{kComplete});
    QByteArray config = kConfigSys;
    config.replace("devicehigh=NE2000.DOS", deviceLine);
    QCOMPARE(f.diskFile("CONFIG.SYS"), config);
    QFETCH(QByteArray, tail);
    QCOMPARE(f.diskFile("PROTOCOL.INI"), kProtocolHead + tail);
    // The driver keeps its own name on the diskette.
    QVERIFY(f.builtFiles().contains(copiedAs));
    QCOMPARE(f.diskFile(copiedAs), QByteArray("the driver"));
}

void TestMulticastWriter::missingSource_data() {
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QString>("message"); // {nics} and {NICS}: the NIC directory as given and upper-cased
    QTest::addColumn<QList<int>>("gauges");
    QTest::addColumn<QStringList>("copied");
    QTest::addColumn<QString>("lastStatus");

    const QList<int> written = {0, 25, 50, 75, 100, 0, 100};
    QTest::newRow("client") << "icc/client.exe" << kClientMissing << written << QStringList{}
                            << " Copying Pellacore Client file...";
    QTest::newRow("NIC driver") << "nics/ne2000.dos"
                                << "The File {NICS}NE2000.DOS could not be found.  Creation can not proceed."
                                << written + QList<int>{20} << QStringList{"client.exe"}
                                << " Copying NIC Driver...";
    QTest::newRow("netbind.com")
        << "nics/netbind.com"
        << "The File {nics}netbind.com could not be found.  Creation can not proceed."
        << written + QList<int>{20, 40} << QStringList{"NE2000.DOS", "client.exe"}
        << " Copying NETBIND.COM...";
    QTest::newRow("dis_pkt9.dos, in the middle")
        << "nics/dis_pkt9.dos"
        << "The File {nics}dis_pkt9.dos could not be found.  Creation can not proceed."
        << written + QList<int>{20, 40, 60} << QStringList{"NE2000.DOS", "client.exe", "netbind.com"}
        << " Copying DIS_PKT9.DOS...";
    QTest::newRow("protman.exe")
        << "nics/protman.exe"
        << "The File {nics}protman.exe could not be found.  Creation can not proceed."
        << written + QList<int>{20, 40, 60, 80}
        << QStringList{"NE2000.DOS", "client.exe", "dis_pkt9.dos", "netbind.com"}
        << " Copying PROTMAN.EXE...";
    QTest::newRow("protman.dos")
        << "nics/protman.dos"
        << "The File {nics}protman.dos could not be found.  Creation can not proceed."
        << written + QList<int>{20, 40, 60, 80, 100}
        << QStringList{"NE2000.DOS", "client.exe", "dis_pkt9.dos", "netbind.com", "protman.exe"}
        << " Copying PROTMAN.DOS...";
}

void TestMulticastWriter::missingSource() {
    QFETCH(QString, missing);
    QFETCH(QString, message);
    QFETCH(QStringList, copied);
    BuildFixture f;
    QVERIFY(QFile::remove(f.tmp.filePath(missing)));
    f.build(1);
    message.replace("{nics}", f.nics).replace("{NICS}", f.nics.toUpper());
    QCOMPARE(f.dialogs.texts(), (QStringList{message, kCanceled}));
    QCOMPARE(f.dialogs.shown().first().helpContext, 0);
    QTEST(f.view.gauges, "gauges");
    QTEST(f.view.statuses.at(f.view.statuses.size() - 2), "lastStatus");
    QCOMPARE(f.builtFiles(), sorted(kTextFiles + copied));
    // Every section tick still shows.
    QCOMPARE(f.view.ticks, (QSet<int>{2, 3, 4, 5}));
}

void TestMulticastWriter::driverPathWithoutSeparator() {
    BuildFixture f;
    QString dir = f.nics;
    dir.chop(1);
    f.setLocations("[LOCATIONS]\r\nNICDriverPath=" + dir + "\r\n");
    f.build(1);
    QCOMPARE(f.dialogs.texts(),
             (QStringList{"The File " + dir + "netbind.com could not be found.  Creation can not proceed.",
                          kCanceled}));
    QVERIFY(f.onDisk("NE2000.DOS"));
    QVERIFY(!f.onDisk("netbind.com"));
}

void TestMulticastWriter::configSysUnwritable() {
    BuildFixture f;
    QDir().mkpath(f.disk + "/CONFIG.SYS");
    f.build(1);
    QCOMPARE(f.dialogs.texts(),
             (QStringList{kConfigFailed + "\ra folder of that name is in the way", kCanceled}));
    QCOMPARE(f.dialogs.shown().first().helpContext, 600);
    QCOMPARE(f.dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
    QCOMPARE(f.view.statuses, (QStringList{" ", " Creating CONFIG.SYS...", "Done. "}));
    QCOMPARE(f.view.gauges, (QList<int>{0, 25}));
    QCOMPARE(f.ticksInOrder(), (QStringList{"tick:3:1", "tick:3:1", "tick:4:1", "tick:5:1"}));
    QCOMPARE(f.builtFiles(), QStringList{"CONFIG.SYS"}); // only the directory that was in the way
}

void TestMulticastWriter::textFileUnwritable_data() {
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QStringList>("before");
    QTest::newRow("AUTOEXEC.BAT") << "AUTOEXEC.BAT" << QStringList{"CONFIG.SYS"};
    QTest::newRow("WATTCP.CFG") << "WATTCP.CFG" << QStringList{"AUTOEXEC.BAT", "CONFIG.SYS"};
    QTest::newRow("PROTOCOL.INI") << "PROTOCOL.INI"
                                  << QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "WATTCP.CFG"};
}

// The file is named with the reason, the run ends as cancelled, and nothing after it is written.
void TestMulticastWriter::textFileUnwritable() {
    QFETCH(QString, blocked);
    QFETCH(QStringList, before);
    BuildFixture f;
    QDir().mkpath(f.disk + "/" + blocked);
    f.mount();
    f.settings.setBuildMode(BuildMode::Multicast);
    f.run->FormShow(f.settings, f.prog);
    f.run->MakeTheDisk();
    QCOMPARE(f.view.statuses.mid(f.view.statuses.size() - 2),
             (QStringList{" Creating " + blocked + "...", "Done. "}));
    QCOMPARE(f.dialogs.texts(),
             (QStringList{"A:\\" + blocked + " could not be created.\ra folder of that name is in the way",
                          kCanceled}));
    QCOMPARE(f.run->failedFile(), "A:\\" + blocked);
    QCOMPARE(f.builtFiles(), sorted(before + QStringList{blocked}));
}

void TestMulticastWriter::cancelAtStep_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("CONFIG.SYS") << " Creating CONFIG.SYS..." << QStringList{"CONFIG.SYS"};
    QTest::newRow("WATTCP.CFG") << " Creating WATTCP.CFG..."
                                << QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "WATTCP.CFG"};
    QTest::newRow("client") << " Copying Pellacore Client file..." << kTextFiles + QStringList{"client.exe"};
    QTest::newRow("dis_pkt9.dos") << " Copying DIS_PKT9.DOS..."
                                  << kTextFiles + QStringList{"NE2000.DOS", "client.exe", "dis_pkt9.dos",
                                                              "netbind.com"};
}

void TestMulticastWriter::cancelAtStep() {
    QFETCH(QString, step);
    QFETCH(QStringList, left);
    BuildFixture f;
    f.mount();
    f.cancelAt(step);
    f.build(1);
    QCOMPARE(f.dialogs.texts(), QStringList{kCanceled});
    QCOMPARE(f.builtFiles(), sorted(left));
    QCOMPARE(f.view.statuses.at(f.view.statuses.size() - 2), step);
    QCOMPARE(f.view.ticks, (QSet<int>{2, 3, 4, 5}));
}

void TestMulticastWriter::clientKeepsItsName() {
    BuildFixture f;
    const QString mine = f.tmp.filePath("icc/MyClient.exe");
    BuildFixture::putSource(mine, "my client");
    f.settings.setText("TForm11.Edit1", mine);
    f.build(1);
    QCOMPARE(f.diskFile("MyClient.exe"), QByteArray("my client"));
    QVERIFY(!f.onDisk("client.exe"));
    QCOMPARE(f.diskFile("AUTOEXEC.BAT"), kAutoexec);
    QCOMPARE(f.run->values().ClientFile, mine);
}

void TestMulticastWriter::freshImage() {
    BuildFixture f;
    const QString image = f.tmp.filePath("floppy/A.img");
    QDir().mkpath(f.tmp.filePath("floppy"));
    f.mount(image);
    f.settings.setValue("TForm7.RadioButton2", "1");
    f.build(1);
    QCOMPARE(f.dialogs.texts().last(), kComplete);
    QByteArray report;
    QVERIFY2(TestEnv::fsckClean(image, &report), report.constData());
    QCOMPARE(TestEnv::mtype(image, "::/CONFIG.SYS"), kConfigSys);
    QCOMPARE(TestEnv::mtype(image, "::/AUTOEXEC.BAT"), kAutoexec);
    QCOMPARE(TestEnv::mtype(image, "::/WATTCP.CFG"), kWattcp);
    QCOMPARE(TestEnv::mtype(image, "::/PROTOCOL.INI"), kProtocolHead + "        drivername = MS2000$\r\n"
                                                                       "        INTERRUPT = 5\r\n"
                                                                       "        IOBASE = 0x300\r\n");
    QCOMPARE(TestEnv::mtype(image, "::/client.exe"), QByteArray("Pellacore client program"));
    QCOMPARE(TestEnv::mtype(image, "::/NE2000.DOS"), QByteArray("NE2000 NDIS driver"));
    QCOMPARE(TestEnv::mtype(image, "::/protman.dos"), QByteArray("protman dos"));
    QCOMPARE(TestEnv::mtype(image, "::/delete.me"), QByteArray());

    // Built again onto the same image: replaced, still clean.
    f.settings.setText("TForm6.Edit3", "client02");
    f.dialogs.clear();
    f.build(1);
    QVERIFY(TestEnv::mtype(image, "::/WATTCP.CFG").contains("HOSTNAME=CLIENT02\r\n"));
    QVERIFY2(TestEnv::fsckClean(image, &report), report.constData());
}

QTEST_GUILESS_MAIN(TestMulticastWriter)
#include "tst_multicast_writer.moc"
