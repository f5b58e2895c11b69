#include "cli_runner.h"
#include "diskette_contents.h"
#include "fixed_clock.h"
#include "small_disk.h"
#include "test_env.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// bootwright-cli end to end, as a user's script would run it: in this process, and as a process
// of its own where its exit on a lost output is the point.
class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_dir; // the program directory

    using Result = CliResult;

    Result cli(const QStringList& args) const { return CliRunner::run(QStringList{"--dir", m_dir} + args); }

    QString path(const QString& rel) const { return m_dir + QLatin1Char('/') + rel; }
    void placeholder(const QString& rel) {
        TestEnv::writeHostFile(path(rel), "placeholder " + rel.toLatin1() + "\r\n");
    }

    static QStringList multicastSets() {
        return {"--set", "TForm6.Edit1=10.0.0.5", "--set", "TForm6.Edit2=255.255.255.0",
                "--set", "TForm6.Edit3=client01"};
    }

private Q_SLOTS:
    void init() {
        QVERIFY(m_tmp.isValid());
        m_dir =
            m_tmp.path() + QStringLiteral("/prog") + QString::number(QRandomGenerator::global()->generate());
        QDir().mkpath(m_dir);
        TestEnv::writeHostFile(path("PCBW.INI"), QStringLiteral("[LOCATIONS]\r\n"
                                                                "NICDriverPath=%1/nics/\r\n"
                                                                "NovellDriverPath=%1/nw/\r\n"
                                                                "MicrosoftDriverPath=%1/ms/\r\n"
                                                                "Client=%1/pella/client.exe\r\n")
                                                     .arg(m_dir)
                                                     .toLatin1());
        for (const QString& f : QStringList{"ne2000.dos"} + kMulticastStackFiles)
            placeholder(QStringLiteral("nics/") + f);
        placeholder(QStringLiteral("pella/client.exe"));
        for (const QString& f : kMicrosoftFiles)
            placeholder(QStringLiteral("ms/") + f);
        TestEnv::writeHostFile(path("PCBW.INI"),
                               TestEnv::readHostFile(path("PCBW.INI")) + "[DRIVES]\r\nA=A.img\r\n");
        // The diskette's TForm4.Edit2 names the driver the way the catalogue would: upper case.
        m_driver = QStringLiteral("TForm4.Edit2=%1/NICS/NE2000.DOS").arg(m_dir);
    }

    void multicastBuildOntoAnImage() {
        const Result r = cli(QStringList{"build", "--set", m_driver} + multicastSets());
        QCOMPARE(r.code, 0);
        const QString image = path("A.img");
        QCOMPARE(QString::fromLocal8Bit(r.out), QStringLiteral("1\t%1\t10.0.0.5\tCLIENT01\n").arg(image));
        QVERIFY(TestEnv::fsckClean(image));
        QCOMPARE(TestEnv::mtype(image, "::/WATTCP.CFG"), QByteArray("[CLIENT DISKETTE OPERATION]\r\n"
                                                                    "MY_IP=10.0.0.5\r\n"
                                                                    "HOSTNAME=CLIENT01\r\n"
                                                                    "NETMASK=255.255.255.0\r\n"));
        QCOMPARE(TestEnv::mtype(image, "::/CLIENT.EXE"), TestEnv::readHostFile(path("pella/client.exe")));
        // The boxes of the run reach standard error as they stand.
        QVERIFY(r.err.contains("HIMEM.SYS could not be found on the floppy diskette."));
        QVERIFY(r.err.contains("Client diskette build complete.  Create Another?"));
    }

    void countBuildsNumberedImagesAndAdvancesAddressAndName() {
        const Result r = cli(QStringList{"build", "--set", m_driver, "--set", "TForm6.CheckBox2=1", "--drive",
                                         "A=" + path("disk{n}.img"), "--count", "3"} +
                             multicastSets());
        QCOMPARE(r.code, 0);
        const QStringList lines = QString::fromLocal8Bit(r.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{QStringLiteral("1\t%1\t10.0.0.5\tCLIENT01").arg(path("disk1.img")),
                                     QStringLiteral("2\t%1\t10.0.0.006\tCLIENT2").arg(path("disk2.img")),
                                     QStringLiteral("3\t%1\t10.0.0.007\tCLIENT3").arg(path("disk3.img"))}));
        for (int n = 1; n <= 3; ++n) {
            const QString image = path(QStringLiteral("disk%1.img").arg(n));
            QVERIFY2(TestEnv::fsckClean(image), qPrintable(image));
            const QByteArray hostLine = "HOSTNAME=" + lines[n - 1].section(QLatin1Char('\t'), 3).toLatin1();
            QVERIFY(TestEnv::mtype(image, "::/WATTCP.CFG").contains(hostLine));
        }
    }

    void valuesListsEveryValueOnALine() {
        const Result r = cli({"values"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err, QByteArray());
        QVERIFY(r.out.endsWith('\n'));
        const QStringList lines = QString::fromLocal8Bit(r.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 74);
        QSet<QString> names;
        QSet<QString> aliases;
        for (const QString& line : lines) {
            const QStringList columns = line.split('\t');
            QCOMPARE(columns.size(), 6);
            names.insert(columns[0]);
            aliases.insert(columns[1]);
            QVERIFY2(!columns[5].isEmpty(), qPrintable(line));
            QVERIFY2(!columns[4].isEmpty(), qPrintable(line));
        }
        QCOMPARE(names.size(), 74);
        QCOMPARE(aliases.size(), 74);
        QVERIFY(!names.intersects(aliases));
    }

    void valuesRow_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("columns"); // alias, kind, start-up value, save key
        QTest::newRow("address") << "TForm6.Edit1"
                                 << "multicast.ip\taddress\t  0.  0.  0.  0\tparamd";
        QTest::newRow("check") << "TForm6.CheckBox1"
                               << "multicast.name.increment\tcheck\t1\tparamy";
        QTest::newRow("index") << "TForm9.ComboBox1"
                               << "standalone.nos\tindex\t0\tparami";
        QTest::newRow("combo text") << "TForm7.ComboBox2"
                                    << "nic.port\tcombo-text\t300\tparaml";
        QTest::newRow("empty text") << "TForm11.Edit1"
                                    << "client.program\ttext\t\tparama";
        QTest::newRow("unsaved radio") << "TForm40.RadioButton21"
                                       << "microsoft.ip.fixed\tradio\t1\t-";
        QTest::newRow("BuildMode") << "BuildMode"
                                   << "build.mode\tnumber\t1\tparamh";
    }
    void valuesRow() {
        QFETCH(QString, name);
        QFETCH(QString, columns);
        const QStringList lines = QString::fromLocal8Bit(cli({"values"}).out).split('\n');
        const QStringList found =
            lines.filter(QRegularExpression('^' + QRegularExpression::escape(name) + '\t'));
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0].section('\t', 1, 4), columns);
    }

    void valuesOntoAFullDeviceFails() {
        if (!QFile::exists("/dev/full"))
            QSKIP("no /dev/full here");
        QProcess p;
        p.setStandardInputFile(QProcess::nullDevice());
        p.setStandardOutputFile("/dev/full");
        p.start(CliRunner::program(), {"values"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 3);
        QVERIFY(p.readAllStandardError().contains("could not be written"));
    }

    // A diskette built with the aliases is the diskette the names build, byte for byte.
    void aliasesBuildWhatNamesBuild() {
        const QStringList byName{"TForm4.Edit2=" + m_driver.section('=', 1),
                                 "TForm6.Edit1=10.0.0.5",
                                 "TForm6.Edit2=255.255.255.0",
                                 "TForm6.Edit3=client01",
                                 "TForm7.RadioButton2=1",
                                 "TForm7.ComboBox1=10",
                                 "TForm7.ComboBox2=2E0",
                                 "TForm99.RadioButton1=1",
                                 "TForm99.RadioButton3=1",
                                 "TForm99.Edit1=10.0.1.9",
                                 "BuildMode=1"};
        const QStringList byAlias{"nic.driver=" + m_driver.section('=', 1),
                                  "multicast.ip=10.0.0.5",
                                  "multicast.mask=255.255.255.0",
                                  "multicast.name=client01",
                                  "nic.pnp.off=1",
                                  "nic.irq=10",
                                  "nic.port=2E0",
                                  "post.on=1",
                                  "post.ip.set=1",
                                  "post.ip=10.0.1.9",
                                  "build.mode=1"};
        const QDate day = QDate::currentDate();
        QStringList images;
        for (const QStringList& sets : {byName, byAlias}) {
            images << path(QStringLiteral("disk%1.img").arg(images.size() + 1));
            QStringList args{"build", "--drive", "A=" + images.last()};
            for (const QString& set : sets)
                args << "--set" << set;
            const Result r = cli(args);
            QCOMPARE(r.code, 0);
            QVERIFY(TestEnv::fsckClean(images.last()));
        }
        if (QDate::currentDate() != day)
            QSKIP("the date in CONFIG.SYS changed between the two builds");

        const QStringList files = TestEnv::imageFiles(images[0]);
        QVERIFY(files.contains("::/PROTOCOL.INI"));
        QCOMPARE(TestEnv::imageFiles(images[1]), files);
        for (const QString& file : files)
            QVERIFY2(TestEnv::mtype(images[1], file) == TestEnv::mtype(images[0], file), qPrintable(file));
        // Both took the values: neither is a diskette of the start-up values.
        const QByteArray wattcp = TestEnv::mtype(images[1], "::/WATTCP.CFG");
        QVERIFY2(wattcp.contains("MY_IP=10.0.0.5\r\n") && wattcp.contains("10.0.1.9"), wattcp.constData());
        const QByteArray protocol = TestEnv::mtype(images[1], "::/PROTOCOL.INI");
        QVERIFY2(protocol.contains("INTERRUPT = 10") && protocol.contains("IOBASE = 0x2E0"),
                 protocol.constData());
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown value") << QStringList{"build", "--set", "TForm6.Edit9=1"} << "TForm6.Edit9";
        QTest::newRow("unknown alias") << QStringList{"build", "--set", "multicast.ipx=1"} << "multicast.ipx";
        QTest::newRow("values with an argument") << QStringList{"values", "all"} << "all";
        QTest::newRow("bad check form")
            << QStringList{"build", "--set", "TForm6.CheckBox1=yes"} << "TForm6.CheckBox1";
        QTest::newRow("bad address") << QStringList{"build", "--set", "TForm6.Edit1=1.2.3"} << "TForm6.Edit1";
        QTest::newRow("count without {n}") << QStringList{"build", "--count", "2"} << "{n}";
        QTest::newRow("bad drive") << QStringList{"build", "--drive", "AB=/x"} << "--drive";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "frobnicate";
        QTest::newRow("save without description") << QStringList{"save"} << "DESCRIPTION";
        QTest::newRow("two diskettes without --disk2")
            << QStringList{"build", "--set", "BuildMode=2", "--set", "TForm9.ComboBox1=2"} << "--disk2";
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        const Result r = cli(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(named.toLatin1()), r.err.constData());
        QVERIFY(!QFile::exists(path("A.img")));
    }

    void saveListLoadAndRemove() {
        QCOMPARE(cli(QStringList{"save", "Lab 1", "--set", m_driver} + multicastSets()).code, 0);
        QCOMPARE(cli({"save", "Pull", "--set", "BuildMode=2", "--set", "TForm9.ComboBox1=3"}).code, 0);
        QCOMPARE(cli({"list"}).out, QByteArray("Lab 1\tMulticast\nPull\tStandalone\n"));

        // An existing description is not overwritten without being told to.
        Result r = cli({"save", "LAB 1", "--set", "TForm6.Edit3=other"});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QByteArray("A configuration already exists with that name.  Overwrite it?\n"
                                   "Note: Configuration has not been saved!\n"));

        // A saved configuration builds as what it is: Standalone with no network is mode 4.
        r = cli({"build", "--config", "Pull"});
        QCOMPARE(r.code, 0);
        QCOMPARE(TestEnv::mtype(path("A.img"), "::/CONFIG.SYS").split('\n').size() - 1, 14);
        QVERIFY(TestEnv::mtype(path("A.img"), "::/AUTOEXEC.BAT").contains("Standalone Mode, No Networking"));

        QCOMPARE(cli({"remove", "Lab 1"}).code, 0);
        QCOMPARE(cli({"list"}).out, QByteArray("Pull\tStandalone\n"));
        r = cli({"remove", "Lab 1"});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QByteArray("Configuration could not be found.\nPlease try again.\n"));
        QCOMPARE(cli({"build", "--config", "nothing"}).code, 1);
    }

    void refusedDescriptionWritesNothing() {
        const Result r = cli({"save", "a=b"});
        QCOMPARE(r.code, 1);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(!QFile::exists(path("PCBWSAVE.INI")));
    }

    // The pages' Next checks, made in the route's order before anything is written, with the pages'
    // own messages.
    void pageChecksComeFirst_data() {
        QTest::addColumn<QStringList>("sets");
        QTest::addColumn<QByteArray>("message");
        const QStringList standalone{"--set", "BuildMode=2"};
        QTest::newRow("client name") << QStringList{"--set", "TForm6.Edit3=Not Specified"}
                                     << QByteArray("You must specify a client name.\n");
        QTest::newRow("address") << QStringList{"--set", "TForm6.Edit1=000.000.000.000"}
                                 << QByteArray("You must specify a valid IP Address.\n");
        QTest::newRow("mask") << QStringList{"--set", "TForm6.Edit2=   .   .   .   "}
                              << QByteArray("You must specify a valid Sub Net Mask.\n");
        QTest::newRow("no client") << QStringList{"--set", "TForm11.Edit1=" + path("pella/missing.exe")}
                                   << QByteArray("The Pellacore Client could not be found in the specified "
                                                 "location.\n");
        QTest::newRow("empty NIC driver")
            << QStringList{"--set", "TForm4.Edit2="} << QByteArray("You must specify a NIC.\n");
        QTest::newRow("missing NIC driver")
            << QStringList{"--set", "TForm4.Edit1=x", "--set", "TForm4.Edit2=C:\\NICS\\NONE.DOS"}
            << QByteArray("NIC driver C:\\NICS\\NONE.DOS not found.\n");
        QTest::newRow("no IRQ") << QStringList{"--set", "TForm7.ComboBox1=-1"}
                                << QByteArray("You must specify a valid IRQ and Port Address.\n");
        QTest::newRow("no port") << QStringList{"--set", "TForm7.ComboBox2="}
                                 << QByteArray("You must specify a valid IRQ and Port Address.\n");
        QTest::newRow("no NOS") << standalone + QStringList{"--set", "TForm9.ComboBox1=-1"}
                                << QByteArray("You must specify a NOS.\n");
        QTest::newRow("no frame type") << standalone + QStringList{"--set", "TForm21.ComboBox1=-1"}
                                       << QByteArray("You must specify a Frame Type.\n");
        // The client location page comes first on every route.
        QTest::newRow("route order") << QStringList{"--set", "TForm11.Edit1=", "--set", "TForm4.Edit2="}
                                     << QByteArray("You must specify the Pellacore Client location.\n");
    }
    void pageChecksComeFirst() {
        QFETCH(QStringList, sets);
        QFETCH(QByteArray, message);
        TestEnv::writeHostFile(path("PCBW.INI"),
                               TestEnv::readHostFile(path("PCBW.INI")).replace("Client=", "Former="));
        const QStringList client{"--set", "TForm11.Edit1=" + path("pella/client.exe")};
        const Result r = cli(QStringList{"build", "--set", m_driver} + client + multicastSets() + sets);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, message);
        QVERIFY(!QFile::exists(path("A.img")));
    }

    void cancelledBuildExitsOne() {
        // A network file missing half way: the build stops through its cancel flag.
        QFile::remove(path("nics/netbind.com"));
        const Result r = cli(QStringList{"build", "--set", m_driver} + multicastSets());
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("Client diskette build canceled.  Create Another?"), r.err.constData());
        QVERIFY(r.out.isEmpty());
    }

    void microsoftOnTwoDiskettes() {
        const Result r =
            cli({"build", "--set", m_driver, "--set", "BuildMode=2", "--set", "TForm9.ComboBox1=2", "--set",
                 "TForm40.Edit1=10.1.1.1", "--set", "TForm40.Edit3=PC1", "--disk2", path("second.img")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains("Insert Disk #2..."));
        const QByteArray autoexec = TestEnv::mtype(path("A.img"), "::/AUTOEXEC.BAT");
        QVERIFY(autoexec.endsWith("pause\r\nlh client.exe\r\n"));
        QCOMPARE(TestEnv::mtype(path("second.img"), "::/AUTOEXEC.BAT"), autoexec);
        QCOMPARE(TestEnv::mtype(path("second.img"), "::/CLIENT.EXE"),
                 TestEnv::readHostFile(path("pella/client.exe")));
        QVERIFY(TestEnv::mtype(path("second.img"), "::/CONFIG.SYS").isEmpty());
        QVERIFY(TestEnv::fsckClean(path("A.img")));
        QVERIFY(TestEnv::fsckClean(path("second.img")));
    }

    void inputOutputErrorExitsThree() {
        // A file named NET in the diskette's root: \NET cannot be made, so PROTOCOL.INI cannot be written.
        QDir().mkpath(path("disk"));
        TestEnv::writeHostFile(path("disk/NET"), "in the way\r\n");
        const Result r = cli({"build", "--set", m_driver, "--set", "BuildMode=3", "--set",
                              "TForm40.Edit3=PC1", "--drive", "A=" + path("disk")});
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains("A:\\NET\\PROTOCOL.INI could not be created."), r.err.constData());
        // The run ends as a cancelled one: never called complete.
        QVERIFY(r.err.contains("Client diskette build canceled.  Create Another?"));
        QVERIFY(!r.err.contains("complete"));
    }

    void batchUpdatesThreeCopiedImages() {
        QCOMPARE(cli(QStringList{"build", "--set", m_driver} + multicastSets()).code, 0);
        QStringList copies;
        for (int n = 1; n <= 3; ++n) {
            copies << path(QStringLiteral("copy%1.img").arg(n));
            QVERIFY(QFile::copy(path("A.img"), copies.last()));
        }
        // Written in capitals, as the build writes the name.
        const Result r = cli(QStringList{"batch", "--ip", "10.0.0.254", "--name", "lab9"} + copies);
        QCOMPARE(r.code, 0);
        QCOMPARE(QString::fromLocal8Bit(r.out), QStringLiteral("1\t%1\t10.0.0.254\tLAB9\n"
                                                               "2\t%2\t10.0.0.255\tLAB10\n"
                                                               "3\t%3\t10.0.0.001\tLAB11\n")
                                                    .arg(copies[0], copies[1], copies[2]));
        QVERIFY(r.err.startsWith("Insert the first floppy diskette in drive A:.  Press OK when ready.\n"));
        const char* hosts[] = {"LAB9", "LAB10", "LAB11"};
        const char* ips[] = {"10.0.0.254", "10.0.0.255", "10.0.0.001"};
        for (int n = 0; n < 3; ++n) {
            QVERIFY(TestEnv::fsckClean(copies[n]));
            QCOMPARE(TestEnv::mtype(copies[n], "::/WATTCP.CFG"),
                     QByteArray("[CLIENT DISKETTE OPERATION]\r\nMY_IP=") + ips[n] +
                         "\r\nHOSTNAME=" + hosts[n] + "\r\nNETMASK=255.255.255.0\r\n");
        }
    }

    void batchStopsAtAMessage() {
        QCOMPARE(cli(QStringList{"build", "--set", m_driver} + multicastSets()).code, 0);
        Result r = cli({"batch", path("A.img")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QByteArray("Nothing to do!\n"));
        r = cli({"batch", "--name", "X1", path("A.img"), path("nothing-here.img")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.endsWith("Could not find WATTCP.CFG file on the diskette!\n"));
        QVERIFY(r.err.contains(QByteArray(path("nothing-here.img").toLocal8Bit() + " does not exist")));
        QCOMPARE(r.out.count('\n'), 1);
        QCOMPARE(cli({"batch", "--ip", "DHCP", path("A.img")}).code, 2);
    }

    // --check: one line per file, then what they need and what is free; nothing written, not even
    // the missing image.
    void checkPrintsThePlan_data() {
        QTest::addColumn<qint64>("client");   // size of the client program; -1: leave the placeholder
        QTest::addColumn<QString>("missing"); // a source removed first
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("err"); // a part of standard error
        QTest::newRow("fits") << qint64(-1) << QString() << 0 << QByteArray();
        QTest::newRow("too big") << qint64(1455000) << QString() << 1
                                 << QByteArray("The files for this diskette do not fit on it: they need ");
        QTest::newRow("source missing")
            << qint64(-1) << "nics/netbind.com" << 1
            << QByteArray("/nics/netbind.com does not exist: A:\\netbind.com cannot be copied\n");
    }
    void checkPrintsThePlan() {
        QFETCH(qint64, client);
        QFETCH(QString, missing);
        QFETCH(int, code);
        QFETCH(QByteArray, err);
        if (client >= 0)
            TestEnv::writeHostFile(path("pella/client.exe"), QByteArray(client, 'c'));
        if (!missing.isEmpty())
            QFile::remove(path(missing));
        const Result r = cli(QStringList{"build", "--check", "--set", m_driver} + multicastSets());
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(err), r.err.constData());
        QVERIFY(!QFile::exists(path("A.img")));

        const QStringList lines = QString::fromLocal8Bit(r.out).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QVERIFY(QRegularExpression("^A:\\\\CONFIG\\.SYS\t\\d+\t-$").match(lines[0]).hasMatch());
        const qint64 clientSize = QFileInfo(path("pella/client.exe")).size();
        QCOMPARE(lines[4],
                 QStringLiteral("A:\\client.exe\t%1\t%2").arg(clientSize).arg(path("pella/client.exe")));
        QCOMPARE(lines[6], QStringLiteral("A:\\netbind.com\t%1\t%2")
                               .arg(missing.isEmpty() ? QStringLiteral("30") : QStringLiteral("?"))
                               .arg(path("nics/netbind.com")));
        const QRegularExpressionMatch total =
            QRegularExpression("^(\\d+) bytes in (\\d+) files, 1457664 bytes free on A:$")
                .match(lines.last());
        QVERIFY2(total.hasMatch(), qPrintable(lines.last()));
        QCOMPARE(total.captured(2).toInt(), missing.isEmpty() ? 10 : 9);
        QCOMPARE(total.captured(1).toLongLong() > 1457664, client > 0);
    }

    // How a build that could not make its diskette whole ends: 3 when a file failed (named on
    // standard error), 1 when the files were refused before anything was written.
    void failuresExitStatus_data() {
        QTest::addColumn<QString>("drive");   // "image" or "directory" (a small file system)
        QTest::addColumn<QString>("failure"); // "folder", "too big", "fills up"
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("err");
        const QByteArray folder =
            "A:\\NE2000.DOS could not be created.\na folder of that name is in the way\n";
        const QByteArray full = "A:\\CLIENT.EXE File write error! \nno space left on the diskette\n";
        const QByteArray refused = "The files for this diskette do not fit on it";
        QTest::newRow("image, folder in the way") << "image"
                                                  << "folder" << 3 << folder;
        QTest::newRow("directory, folder in the way") << "directory"
                                                      << "folder" << 3 << folder;
        QTest::newRow("image, too big") << "image"
                                        << "too big" << 1 << refused;
        QTest::newRow("directory, too big") << "directory"
                                            << "too big" << 1 << refused;
        QTest::newRow("image, fills up") << "image"
                                         << "fills up" << 3 << full;
        QTest::newRow("directory, fills up") << "directory"
                                             << "fills up" << 3 << full;
    }
    void failuresExitStatus() {
        QFETCH(QString, drive);
        QFETCH(QString, failure);
        QFETCH(int, code);
        QFETCH(QByteArray, err);
        const QString disk = drive == "image" ? path("A.img") : path("small");
        SmallDisk small(path("small"), 512 * 1024);
        if (drive == "directory" && !small.ok())
            QSKIP("mounting a file system needs root");
        if (drive == "image")
            QVERIFY(TestEnv::makeBlankImage(disk));
        if (failure == "folder") {
            if (drive == "image")
                QCOMPARE(TestEnv::run("mmd", {"-i", disk, "::/NE2000.DOS"}), 0);
            else
                QVERIFY(QDir(disk).mkdir("NE2000.DOS"));
        }
        const QString client = path("pella/CLIENT.EXE");
        QFile::remove(path("pella/client.exe"));
        if (failure == "too big")
            TestEnv::writeHostFile(client, QByteArray(drive == "image" ? 1455000 : 600 * 1024, 'c'));
        else
            TestEnv::writeHostFile(client, "client");
        // A client whose size nobody knows in advance (a pipe): the plan takes it for empty, and the
        // diskette fills up while it is copied.
        QProcess feeder;
        if (failure == "fills up") {
            QFile::remove(client);
            QCOMPARE(TestEnv::run("mkfifo", {client}), 0);
            feeder.start("sh", {"-c", "head -c 1600000 /dev/zero > '" + client + "'"});
            QVERIFY(feeder.waitForStarted());
        }
        const Result r = cli(QStringList{"build", "--set", m_driver, "--set", "TForm11.Edit1=" + client,
                                         "--drive", "A=" + disk} +
                             multicastSets());
        feeder.kill();
        feeder.waitForFinished();
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(err), r.err.constData());
        QVERIFY(r.err.endsWith("Client diskette build canceled.  Create Another?\n"));
        QVERIFY(r.out.isEmpty());
        if (failure == "too big") {
            const bool written = drive == "image" ? !TestEnv::mtype(disk, "::/CONFIG.SYS").isEmpty()
                                                  : QFileInfo::exists(disk + "/CONFIG.SYS");
            QVERIFY(!written);
        }
        if (drive == "image")
            QVERIFY(TestEnv::fsckClean(disk));
    }

    // New images made from a system diskette's image: its boot sector and system files, and no
    // warning about them. A template that is no 1.44 MB FAT12 image is refused before anything is made.
    void templateBuild_data() {
        QTest::addColumn<QString>("how"); // "--template" or "PCBW.INI"
        QTest::addColumn<bool>("valid");
        QTest::newRow("--template") << "--template" << true;
        QTest::newRow("PCBW.INI") << "PCBW.INI" << true;
        QTest::newRow("--template, not an image") << "--template" << false;
        QTest::newRow("PCBW.INI, not an image") << "PCBW.INI" << false;
    }
    void templateBuild() {
        QFETCH(QString, how);
        QFETCH(bool, valid);
        const QString tpl = path("dos622.img");
        if (valid)
            QVERIFY(TestEnv::makeSystemImage(tpl));
        else
            TestEnv::writeHostFile(tpl, QByteArray(1474560, '\0'));
        QFile(tpl).setPermissions(QFileDevice::ReadOwner); // a template kept read-only
        QStringList args{"build", "--no-verify", "--set", m_driver};
        if (how == "--template")
            args = QStringList{"--template", tpl} + args;
        else
            TestEnv::writeHostFile(path("PCBW.INI"),
                                   TestEnv::readHostFile(path("PCBW.INI")) + "Template=dos622.img\r\n");
        const Result r = cli(args + multicastSets());
        if (!valid) {
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.contains("holds no FAT12 diskette"), r.err.constData());
            QVERIFY(!QFile::exists(path("A.img")));
            return;
        }
        QCOMPARE(r.code, 0);
        QVERIFY2(!r.err.contains("could not be found on the floppy diskette"), r.err.constData());
        QCOMPARE(TestEnv::readHostFile(path("A.img")).left(512), TestEnv::readHostFile(tpl).left(512));
        for (const char* name : {"IO.SYS", "MSDOS.SYS", "COMMAND.COM", "HIMEM.SYS", "EMM386.EXE"})
            QCOMPARE(TestEnv::mtype(path("A.img"), QStringLiteral("::/") + name),
                     TestEnv::mtype(tpl, QStringLiteral("::/") + name));
        QByteArray attributes;
        TestEnv::run("mattrib", {"-i", path("A.img"), "::/IO.SYS"}, &attributes);
        QVERIFY2(attributes.left(12).contains("SH"), attributes.constData());
        QVERIFY(TestEnv::mtype(path("A.img"), "::/WATTCP.CFG").contains("HOSTNAME=CLIENT01"));
        QVERIFY(QFileInfo(path("A.img")).permissions() & QFileDevice::WriteOwner);
        QVERIFY(TestEnv::fsckClean(path("A.img")));
    }

private:
    QString m_driver;
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
