#include "diskette_contents.h"
#include "fixed_clock.h"
#include "test_env.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// bootwright-cli end to end: the real program, run as a user's script would run it.
class TestCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_dir; // the program directory

    struct Result {
        int code;
        QByteArray out;
        QByteArray err;
    };

    Result cli(QStringList args) {
        args.prepend(m_dir);
        args.prepend(QStringLiteral("--dir"));
        QProcess p;
        p.setStandardInputFile(QProcess::nullDevice());
        p.start(QStringLiteral(BW_CLI_PATH), args);
        p.waitForFinished(120000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
    }

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

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown value") << QStringList{"build", "--set", "TForm6.Edit9=1"} << "TForm6.Edit9";
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

    void multicastPageChecksComeFirst_data() {
        QTest::addColumn<QStringList>("sets");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("name") << QStringList{"--set", "TForm6.Edit3=Not Specified"}
                              << QByteArray("You must specify a client name.\n");
        QTest::newRow("address") << QStringList{"--set", "TForm6.Edit1=000.000.000.000"}
                                 << QByteArray("You must specify a valid IP Address.\n");
        QTest::newRow("mask") << QStringList{"--set", "TForm6.Edit2=   .   .   .   "}
                              << QByteArray("You must specify a valid Sub Net Mask.\n");
    }
    void multicastPageChecksComeFirst() {
        QFETCH(QStringList, sets);
        QFETCH(QByteArray, message);
        const Result r = cli(QStringList{"build", "--set", m_driver} + multicastSets() + sets);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, message);
        QVERIFY(!QFile::exists(path("A.img")));
    }

    void cancelledBuildExitsOne() {
        QFile::remove(path("pella/client.exe"));
        const Result r = cli(QStringList{"build", "--set", m_driver} + multicastSets());
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("The Pellacore Client could not be found in the specified location."));
        QVERIFY(r.err.contains("Client diskette build canceled.  Create Another?"));
        QVERIFY(r.out.isEmpty());
    }

    void microsoftOnTwoDiskettes() {
        const Result r =
            cli({"build", "--set", m_driver, "--set", "BuildMode=2", "--set", "TForm9.ComboBox1=2", "--set",
                 "TForm40.Edit1=10.1.1.1", "--disk2", path("second.img")});
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
        const Result r =
            cli({"build", "--set", m_driver, "--set", "BuildMode=3", "--drive", "A=" + path("disk")});
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains("PROTOCOL.INI"), r.err.constData());
        QVERIFY(!r.err.contains("Create Another?"));
    }

    void batchUpdatesThreeCopiedImages() {
        QCOMPARE(cli(QStringList{"build", "--set", m_driver} + multicastSets()).code, 0);
        QStringList copies;
        for (int n = 1; n <= 3; ++n) {
            copies << path(QStringLiteral("copy%1.img").arg(n));
            QVERIFY(QFile::copy(path("A.img"), copies.last()));
        }
        const Result r = cli(QStringList{"batch", "--ip", "10.0.0.254", "--name", "LAB9"} + copies);
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
        QCOMPARE(r.out.count('\n'), 1);
        QCOMPARE(cli({"batch", "--ip", "DHCP", path("A.img")}).code, 2);
    }

private:
    QString m_driver;
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
