#include "cli_fixture.h"
#include "diskette_contents.h"
#include "test_env.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// A lab built from a host list with bootwright-cli: one image per row, the network boot
// entries beside them, the batch over copied diskettes, and lists with mistakes that must leave
// everything untouched.
class TestCliHosts : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_dir; // the program directory

    using Result = CliResult;

    Result cli(const QStringList& args) const { return CliRunner::run(QStringList{"--dir", m_dir} + args); }

    QString path(const QString& rel) const { return m_tmp.filePath(rel); }
    QString driver() const { return "nic.driver=" + m_dir + "/nics/NE2000.DOS"; }

    // LAB1 ... LABn at 10.0.2.11 on, with a mask and a MAC each.
    static QByteArray lab(int hosts) {
        QByteArray csv = "# lab 2, floor 1\r\nname,address,mask,mac\r\n";
        for (int n = 1; n <= hosts; ++n)
            csv += QStringLiteral("LAB%1,10.0.2.%2,255.255.255.0,52:54:00:00:02:%3\r\n")
                       .arg(n)
                       .arg(10 + n)
                       .arg(n, 2, 16, QLatin1Char('0'))
                       .toLatin1();
        return csv;
    }
    QString writeList(const QByteArray& csv, const QString& name = "lab.csv") const {
        TestEnv::writeHostFile(path(name), csv);
        return path(name);
    }
    static QString mac(int n) { return QStringLiteral("52-54-00-00-02-%1").arg(n, 2, 16, QLatin1Char('0')); }
    static QStringList lines(const QByteArray& bytes) {
        return QString::fromUtf8(bytes).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    // Every file below a folder, relative.
    static QStringList filesIn(const QString& dir) {
        QStringList out;
        QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            out << QDir(dir).relativeFilePath(it.next());
        out.sort();
        return out;
    }

private Q_SLOTS:
    void init() {
        QVERIFY(m_tmp.isValid());
        QDir(m_tmp.path()).removeRecursively();
        for (const char* sub : {"prog", "out", "tftp", "copies"})
            QDir().mkpath(path(QString::fromLatin1(sub)));
        m_dir = path("prog");
        TestEnv::writeHostFile(m_dir + "/PCBW.INI", QStringLiteral("[LOCATIONS]\r\n"
                                                                   "NICDriverPath=%1/nics/\r\n"
                                                                   "MicrosoftDriverPath=%1/ms/\r\n"
                                                                   "Client=%1/pella/client.exe\r\n")
                                                        .arg(m_dir)
                                                        .toLatin1());
        for (const QString& f : QStringList{"ne2000.dos"} + kMulticastStackFiles)
            TestEnv::writeHostFile(m_dir + "/nics/" + f, "placeholder\r\n");
        for (const QString& f : kMicrosoftFiles)
            TestEnv::writeHostFile(m_dir + "/ms/" + f, "placeholder\r\n");
        TestEnv::writeHostFile(m_dir + "/pella/client.exe", "placeholder client\r\n");
    }

    // A name that is a glob pattern for another host's image gets its own diskette; the other
    // keeps its own identity.
    void globLikeNamesEachGetTheirOwnImage() {
        const QByteArray csv = "name,address\r\nLAB1,10.0.2.11\r\nLAB[1],10.0.2.12\r\n";
        const Result r = cli({"build", "--set", driver(), "--hosts", writeList(csv), "--drive",
                              "A=" + path("out") + "/{name}.img"});
        QVERIFY2(r.code == 0, r.err.constData());
        QCOMPARE(filesIn(path("out")), (QStringList{"LAB1.img", "LAB[1].img"}));
        QFile::rename(path("out/LAB[1].img"), path("out/second.img"));
        const QStringList images{path("out/LAB1.img"), path("out/second.img")};
        for (int n = 0; n < 2; ++n) {
            const QByteArray wattcp = TestEnv::mtype(images[n], "::/WATTCP.CFG");
            QVERIFY2(wattcp.contains(QByteArray("MY_IP=10.0.2.1" + QByteArray::number(n + 1) + "\r\n")),
                     wattcp.constData());
            QVERIFY2(wattcp.contains(n == 0 ? "HOSTNAME=LAB1\r\n" : "HOSTNAME=LAB[1]\r\n"),
                     wattcp.constData());
            QVERIFY(TestEnv::fsckClean(images[n]));
        }
    }

    void labOfThirtyIntoImagesAndNetworkBoot() {
        const QString tftp = path("tftp");
        QVERIFY(QDir().mkpath(tftp + "/images"));
        // Another lab's entry stays; this lab's LAB3 had an older image in the script.
        TestEnv::writeHostFile(tftp + "/pxelinux.cfg/01-aa-bb-cc-dd-ee-ff", "another lab\n");
        TestEnv::writeHostFile(
            tftp + "/bootwright.ipxe",
            "#!ipxe\n"
            "# Diskette images by MAC address, written by bootwright-cli: one line per host.\n"
            "iseq ${netX/mac} aa:bb:cc:dd:ee:ff && set bwimage old/PC9.img ||\n"
            "iseq ${netX/mac} 52:54:00:00:02:03 && set bwimage old/LAB3.img ||\n"
            "isset ${bwimage} || goto bwunknown\n");
        // The post-configuration page copies the Multicast address at each showing: the host's.
        const Result r = cli({"build", "--set", driver(), "--set", "post.on=1", "--set", "post.ip.set=1",
                              "--set", "post.ip.multicast=1", "--hosts", writeList(lab(30)), "--drive",
                              "A=" + tftp + "/images/{name}.img", "--pxe", tftp});
        QCOMPARE(r.code, 0);

        QStringList expectedOut;
        QStringList expectedScript{
            "#!ipxe", "# Diskette images by MAC address, written by bootwright-cli: one line per host.",
            "iseq ${netX/mac} aa:bb:cc:dd:ee:ff && set bwimage old/PC9.img ||",
            "iseq ${netX/mac} 52:54:00:00:02:03 && set bwimage images/LAB3.img ||"};
        for (int n = 1; n <= 30; ++n) {
            const QString name = QStringLiteral("LAB%1").arg(n);
            const QString address = QStringLiteral("10.0.2.%1").arg(10 + n);
            const QString image = tftp + "/images/" + name + ".img";
            expectedOut << QStringLiteral("%1\t%2\t%3\t%4").arg(n).arg(image, address, name);
            QVERIFY2(TestEnv::fsckClean(image), qPrintable(image));
            QCOMPARE(TestEnv::mtype(image, "::/WATTCP.CFG"), QStringLiteral("[CLIENT DISKETTE OPERATION]\r\n"
                                                                            "MY_IP=%1\r\n"
                                                                            "HOSTNAME=%2\r\n"
                                                                            "NETMASK=255.255.255.0\r\n"
                                                                            " \r\n"
                                                                            "[POST-CONFIGURATION OPTIONS]\r\n"
                                                                            "IPADDRESS=%1\r\n")
                                                                 .arg(address, name)
                                                                 .toLatin1());
            QCOMPARE(lines(TestEnv::readHostFile(tftp + "/pxelinux.cfg/01-" + mac(n))),
                     (QStringList{"# " + name + " " + address + ", written by bootwright-cli",
                                  "DEFAULT bootwright", "LABEL bootwright", "KERNEL memdisk",
                                  "INITRD images/" + name + ".img", "APPEND floppy"}));
            if (n != 3)
                expectedScript << "iseq ${netX/mac} " + mac(n).replace('-', ':') + " && set bwimage images/" +
                                      name + ".img ||";
        }
        expectedScript << "isset ${bwimage} || goto bwunknown"
                       << "kernel memdisk floppy"
                       << "initrd ${bwimage}"
                       << "boot"
                       << ":bwunknown"
                       << "echo No diskette image for ${netX/mac}"
                       << "exit 1";
        QCOMPARE(lines(r.out), expectedOut);
        QCOMPARE(lines(TestEnv::readHostFile(tftp + "/bootwright.ipxe")), expectedScript);
        QCOMPARE(TestEnv::readHostFile(tftp + "/pxelinux.cfg/01-aa-bb-cc-dd-ee-ff"),
                 QByteArray("another lab\n"));
        QCOMPARE(QDir(tftp + "/pxelinux.cfg").entryList(QDir::Files).size(), 31);
    }

    // Later diskettes start as a copy of the first and take only what differs: each is what a
    // build of its host alone makes, in files, bytes and attributes, and checks clean.
    void copiedDiskettesEqualFreshOnes() {
        const QStringList args{"build", "--set", driver(), "--set", "multicast.mask=255.255.255.0"};
        const QStringList rows = lines(lab(3)).mid(1); // rows[n] is LABn
        const Result r =
            cli(args + QStringList{"--hosts", writeList(lab(3)), "--drive", "A=" + path("out/{name}.img")});
        QVERIFY2(r.code == 0, r.err.constData());
        for (int n = 1; n <= 3; ++n) {
            const QString list =
                writeList("name,address,mask,mac\r\n" + rows[n].toLatin1() + "\n", "one.csv");
            QCOMPARE(
                cli(args + QStringList{"--hosts", list, "--drive", "A=" + path("copies/{name}.img")}).code,
                0);
            const QString copied = path(QStringLiteral("out/LAB%1.img").arg(n));
            QCOMPARE(imageContents(copied), imageContents(path(QStringLiteral("copies/LAB%1.img").arg(n))));
            QVERIFY(TestEnv::fsckClean(copied));
        }
    }

    void imagesElsewhereAreNamedByTheirPath() {
        const QString list = writeList("name,address,mac\nPC1,10.0.0.1,00:1A:2B:3C:4D:01\nPC2,10.0.0.2,\n");
        const Result r = cli({"build", "--set", driver(), "--set", "multicast.mask=255.255.0.0", "--hosts",
                              list, "--drive", "A=" + path("out/disk{n}.img"), "--pxe", path("tftp")});
        QCOMPARE(r.code, 0);
        // The page's mask stays where the list gives none; a row without a MAC gets no entry.
        QVERIFY(TestEnv::mtype(path("out/disk2.img"), "::/WATTCP.CFG").contains("NETMASK=255.255.0.0\r\n"));
        // The served folder holds what a client may fetch, and no lock file.
        QCOMPARE(filesIn(path("tftp")),
                 (QStringList{"bootwright.ipxe", "pxelinux.cfg/01-00-1a-2b-3c-4d-01"}));
        QVERIFY(lines(TestEnv::readHostFile(path("tftp/pxelinux.cfg/01-00-1a-2b-3c-4d-01")))
                    .contains("INITRD ::" + QFileInfo(path("out/disk1.img")).canonicalFilePath()));
    }

    // Diskettes without a system net-boot into a silent loop: a --pxe run says so once, at its end.
    void pxeWarnsOnceOfDiskettesWithoutSystem_data() {
        QTest::addColumn<bool>("pxe");
        QTest::addColumn<bool>("systemTemplate");
        QTest::addColumn<int>("warnings");
        QTest::newRow("--pxe, blank diskettes") << true << false << 1;
        QTest::newRow("--pxe, from a system diskette") << true << true << 0;
        QTest::newRow("no --pxe, blank diskettes") << false << false << 0;
    }
    void pxeWarnsOnceOfDiskettesWithoutSystem() {
        QFETCH(bool, pxe);
        QFETCH(bool, systemTemplate);
        QFETCH(int, warnings);
        QStringList args{"build",   "--no-verify",     "--set",   driver(),
                         "--hosts", writeList(lab(2)), "--drive", "A=" + path("tftp/{name}.img")};
        QVERIFY(QDir().mkpath(path("tftp")));
        if (pxe)
            args << "--pxe" << path("tftp");
        if (systemTemplate) {
            QVERIFY(TestEnv::makeSystemImage(path("dos.img")));
            args = QStringList{"--template", path("dos.img")} + args;
        }
        const Result r = cli(args);
        QVERIFY2(r.code == 0, r.err.constData());
        const QByteArray warning =
            "bootwright-cli: warning: these diskettes hold no DOS system, so the clients "
            "will not boot from them over the network; make them from a system diskette "
            "with --template IMAGE (or Template= in PCBW.INI)\n";
        QCOMPARE(int(r.err.count(warning)), warnings);
        if (warnings)
            QVERIFY2(r.err.endsWith(warning), r.err.constData());
    }

    // PXELINUX reads an absolute path from the TFTP root only behind "::"; iPXE reads a URI.
    void entriesCarryEveryName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder"); // of the images
        QTest::addColumn<QString>("initrd"); // {abs}: the folder's absolute path
        QTest::addColumn<QString>("uri");
        QTest::newRow("relative") << "PC#1:a?%b${x}-\u00e4"
                                  << "tftp/images"
                                  << "images/PC#1:a?%b${x}-\u00e4.img"
                                  << "images/PC%231%3Aa%3F%25b%24%7Bx%7D-%C3%A4.img";
        QTest::newRow("absolute") << "PC::1"
                                  << "out"
                                  << "::{abs}/PC::1.img"
                                  << "{abs}/PC%3A%3A1.img";
    }
    void entriesCarryEveryName() {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(QString, initrd);
        QFETCH(QString, uri);
        QVERIFY(QDir().mkpath(path(folder)));
        const QString abs = QFileInfo(path(folder)).canonicalFilePath();
        const Result r =
            cli({"build", "--set", driver(), "--hosts",
                 writeList(("name,address,mac\n" + name + ",10.0.0.1,00:1a:2b:3c:4d:01\n").toUtf8()),
                 "--drive", "A=" + path(folder) + "/{name}.img", "--pxe", path("tftp")});
        QVERIFY2(r.code == 0, r.err.constData());
        QVERIFY(lines(TestEnv::readHostFile(path("tftp/pxelinux.cfg/01-00-1a-2b-3c-4d-01")))
                    .contains("INITRD " + initrd.replace("{abs}", abs)));
        QVERIFY(TestEnv::readHostFile(path("tftp/bootwright.ipxe"))
                    .contains(("bwimage " + uri.replace("{abs}", abs) + " ||").toUtf8()));
    }

    void listProblemsWriteNothing_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QStringList>("expected"); // after "FILE:"
        QByteArray twiceAndAbove = lab(6);
        twiceAndAbove.replace("LAB5,10.0.2.15", "LAB5,10.0.2.11")
            .replace("LAB6,10.0.2.16", "LAB6,10.0.2.256");
        QTest::newRow("an address twice and a group above 255")
            << twiceAndAbove << QStringList()
            << QStringList{"7: address 10.0.2.11 is also on line 3",
                           "8: address 10.0.2.256 has a group above 255 (256)"};
        QTest::newRow("a computer name on the Microsoft page")
            << QByteArray("name,address\nLAB 2,10.0.0.2\n") << QStringList{"--set", "build.mode=3"}
            << QStringList{
                   "2: name \"LAB 2\" holds \" \" (U+0020), which a computer name cannot hold (letters, "
                   "digits and !@#$%^&()-_'{}.~ only)"};
        QTest::newRow("a name that is the folder above")
            << QByteArray("name,address\nLAB1,10.0.0.1\n..,10.0.0.2\n")
            << QStringList{"--drive", "A={out}/{name}"}
            << QStringList{"3: name \"..\" is no file's name: {name} would make it a folder"};
        QTest::newRow("a blank in an image's path")
            << QByteArray("name,address,mac\nLAB 1,10.0.0.1,00:1a:2b:3c:4d:01\n")
            << QStringList{"--pxe", "{tftp}"}
            << QStringList{"2: the image {out}/LAB 1.img has a blank in its path, which a PXELINUX entry "
                           "cannot name"};
        QTest::newRow("a comma, a server's name")
            << QByteArray("name,address,mac\n\"PC,1\",10.0.0.1,00:1a:2b:3c:4d:01\n"
                          "PC::2,10.0.0.2,00:1a:2b:3c:4d:02\n")
            << QStringList{"--pxe", "{root}"}
            << QStringList{"2: the image out/PC,1.img has a comma in its path, where PXELINUX would take it "
                           "for two images",
                           "3: the image out/PC::2.img has \"::\" in its path, where PXELINUX would take "
                           "what stands before it for a server"};
    }

    void listProblemsWriteNothing() {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, extra);
        QFETCH(QStringList, expected);
        const QString list = writeList(csv);
        extra.replaceInStrings("{tftp}", path("tftp")).replaceInStrings("{out}", path("out"));
        extra.replaceInStrings("{root}", m_tmp.path());
        const Result r = cli(QStringList{"build", "--set", driver(), "--hosts", list, "--drive",
                                         "A=" + path("out/{name}.img")} +
                             extra);
        QCOMPARE(r.code, 1);
        QStringList expectedErr;
        for (const QString& line : expected)
            expectedErr << list + ":" + QString(line).replace("{out}", path("out"));
        expectedErr << "bootwright-cli: nothing was written";
        QCOMPARE(lines(r.err), expectedErr);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(filesIn(path("out")) + filesIn(path("tftp")), QStringList());
    }

    void aScriptOfSomeoneElseIsLeftAlone() {
        const QByteArray theirs = "#!ipxe\nchain http://boot.example/menu.ipxe\n";
        TestEnv::writeHostFile(path("tftp/bootwright.ipxe"), theirs);
        const Result r = cli({"build", "--set", driver(), "--hosts", writeList(lab(2)), "--drive",
                              "A=" + path("out/{n}.img"), "--pxe", path("tftp")});
        QCOMPARE(r.code, 1);
        QCOMPARE(lines(r.err),
                 (QStringList{path("tftp/bootwright.ipxe") +
                                  " is not a script bootwright-cli wrote; it is left as it is (move "
                                  "it away to have a new one written)",
                              "bootwright-cli: nothing was written"}));
        QCOMPARE(TestEnv::readHostFile(path("tftp/bootwright.ipxe")), theirs);
        QCOMPARE(filesIn(path("out")), QStringList());
    }

    // Whoever may write into the TFTP folder may plant links there: none is followed. An entry
    // that is a link is replaced; a link or a file where a folder or the script goes refuses the run.
    void pxeFollowsNoLinkItDidNotMake_data() {
        QTest::addColumn<QString>("planted"); // under the TFTP folder
        QTest::addColumn<QString>("to");      // the link's target under copies/, or empty for a file
        QTest::newRow("an entry that is a link") << "pxelinux.cfg/01-" + mac(1) << "victim";
        QTest::newRow("a dangling script link") << "bootwright.ipxe"
                                                << "created";
        QTest::newRow("the entries' folder a link") << "pxelinux.cfg"
                                                    << ".";
        QTest::newRow("the entries' folder a file") << "pxelinux.cfg"
                                                    << "";
    }
    void pxeFollowsNoLinkItDidNotMake() {
        QFETCH(QString, planted);
        QFETCH(QString, to);
        TestEnv::writeHostFile(path("copies/victim"), "victim\n");
        const QString at = path("tftp/" + planted);
        QVERIFY(QDir().mkpath(QFileInfo(at).path()));
        QVERIFY(to.isEmpty() ? (TestEnv::writeHostFile(at, "a file\n"), true)
                             : QFile::link(QDir::cleanPath(path("copies/" + to)), at));
        const Result r = cli({"build", "--set", driver(), "--hosts", writeList(lab(2)), "--drive",
                              "A=" + path("out/{name}.img"), "--pxe", path("tftp")});
        QCOMPARE(filesIn(path("copies")), QStringList{"victim"});
        QCOMPARE(TestEnv::readHostFile(path("copies/victim")), QByteArray("victim\n"));
        if (planted.contains("01-")) {
            QCOMPARE(r.code, 0);
            QVERIFY(TestEnv::readHostFile(at).contains("/out/LAB1.img") && !QFileInfo(at).isSymLink());
        } else {
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.startsWith((at + " is ").toLocal8Bit()), r.err.constData());
            QCOMPARE(filesIn(path("out")), QStringList());
        }
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args"); // after build --set DRIVER
        QTest::addColumn<QString>("message");
        const QStringList hosts{"--hosts", "{list}", "--drive", "A={out}/{n}.img"};
        QTest::newRow("NetWare")
            << QStringList{"--set", "build.mode=2"} + hosts
            << "--hosts: NetWare diskettes carry no client address or name; a host list is "
               "for Multicast and Microsoft TCP/IP diskettes";
        QTest::newRow("with --count")
            << QStringList{"--count", "2"} + hosts
            << "--hosts and --count cannot be used together: the host list builds one "
               "diskette per row";
        QTest::newRow("a host's name without a host list")
            << QStringList{"--drive", "A={out}/{name}.img", "--count", "2"}
            << "{name} in a path is a host's name: it needs --hosts FILE";
        QTest::newRow("one path for every host")
            << QStringList{"--hosts", "{list}", "--drive", "A={out}/lab.img"}
            << "{list} has 2 hosts: put {name} or {n} into the path of drive A: (now {out}/lab.img), so that "
               "each host gets its own diskette";
        QTest::newRow("network boot of a folder")
            << QStringList{"--hosts", "{list}", "--drive", "A={out}/{n}", "--pxe", "{tftp}"}
            << "--pxe boots diskette images, and drive A: is ";
    }

    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QString list = writeList(lab(2));
        args.replaceInStrings("{out}", path("out")).replaceInStrings("{tftp}", path("tftp"));
        args.replaceInStrings("{list}", list);
        const Result r = cli(QStringList{"build", "--set", driver()} + args);
        QCOMPARE(r.code, 2);
        const QString first = lines(r.err).value(0);
        const QString expected =
            "bootwright-cli: " + message.replace("{out}", path("out")).replace("{list}", list);
        QVERIFY2(first.startsWith(expected), qPrintable(first));
        QCOMPARE(filesIn(path("out")) + filesIn(path("tftp")), QStringList());
    }

    void microsoftPageTakesComputerNames() {
        // Without a mask column the page's mask goes with every host.
        const Result r =
            cli({"build", "--set", driver(), "--set", "build.mode=3", "--set", "microsoft.mask=255.255.0.0",
                 "--hosts", writeList("name,address\nPC-7,10.1.0.7\nPC-8,10.1.0.8\n"), "--drive",
                 "A=" + path("out/{name}.img")});
        QCOMPARE(r.code, 0);
        QCOMPARE(lines(r.out), (QStringList{"1\t" + path("out/PC-7.img") + "\t10.1.0.7\tPC-7",
                                            "2\t" + path("out/PC-8.img") + "\t10.1.0.8\tPC-8"}));
        const struct {
            const char* image;
            const char* name;
            const char* address;
            const char* mask;
        } expected[] = {{"out/PC-7.img", "PC-7", "10 1 0 7", "255 255 0 0"},
                        {"out/PC-8.img", "PC-8", "10 1 0 8", "255 255 0 0"}};
        for (const auto& e : expected) {
            const QString image = path(e.image);
            QVERIFY(TestEnv::fsckClean(image));
            QVERIFY(TestEnv::mtype(image, "::/NET/SYSTEM.INI")
                        .contains(QByteArray(QByteArray("computername=") + e.name + "\r\n")));
            const QByteArray protocol = TestEnv::mtype(image, "::/NET/PROTOCOL.INI");
            // The host's address, not DHCP.
            const QByteArray lines = QByteArray("SUBNETMASK0=") + QByteArray(e.mask) +
                                     "\r\nIPADDRESS0=" + QByteArray(e.address) + "\r\nDisableDHCP=1\r\n";
            QVERIFY2(protocol.contains(lines), protocol.constData());
        }
    }

    void batchGivesEachCopyItsRow() {
        QStringList copies;
        const QByteArray master = CliFixture::sampleWattcp() + "NAMESERVER=10.0.0.1\r\n";
        for (int n = 1; n <= 30; ++n) {
            copies << path(QStringLiteral("copies/copy%1.img").arg(n));
            QVERIFY(CliFixture::makeImageDiskette(copies.last(), master));
        }
        QByteArray csv = lab(30);
        csv.replace(",255.255.255.0,", ",255.255.0.0,");
        const Result r = cli(QStringList{"batch", "--hosts", writeList(csv)} + copies);
        QCOMPARE(r.code, 0);
        QStringList expectedOut;
        for (int n = 1; n <= 30; ++n) {
            const QString address = QStringLiteral("10.0.2.%1").arg(10 + n);
            expectedOut << QStringLiteral("%1\t%2\t%3\tLAB%1").arg(n).arg(copies[n - 1], address);
            QCOMPARE(TestEnv::mtype(copies[n - 1], "::/WATTCP.CFG"),
                     QStringLiteral("[CLIENT DISKETTE OPERATION]\r\nMY_IP=%1\r\nHOSTNAME=LAB%2\r\n"
                                    "NETMASK=255.255.0.0\r\nNAMESERVER=10.0.0.1\r\n")
                         .arg(address)
                         .arg(n)
                         .toLatin1());
        }
        QCOMPARE(lines(r.out), expectedOut);
        QVERIFY(
            r.err.endsWith("Disk Client Name is: LAB30\n\nEvery host of the host list has its diskette.\n"));
    }

    void batchRefusesBeforeTouchingAny_data() {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("fewer rows than diskettes")
            << lab(2) << 2
            << "bootwright-cli: {list} has 2 hosts for 3 diskettes: give one diskette per host";
        QTest::newRow("a name twice") << QByteArray("name,address\nA1,10.0.0.1\nA2,10.0.0.2\na1,10.0.0.3\n")
                                      << 1 << "{list}:4: name a1 is also on line 2";
    }

    void batchRefusesBeforeTouchingAny() {
        QFETCH(QByteArray, csv);
        QFETCH(int, code);
        QFETCH(QString, firstLine);
        // Each its own: two diskettes formatted a second apart differ in serial number and dates.
        QStringList copies;
        QByteArrayList before;
        for (int n = 1; n <= 3; ++n) {
            copies << path(QStringLiteral("copies/copy%1.img").arg(n));
            QVERIFY(CliFixture::makeImageDiskette(copies.last(), CliFixture::sampleWattcp()));
            before << TestEnv::readHostFile(copies.last());
        }
        const QString list = writeList(csv);
        const Result r = cli(QStringList{"batch", "--hosts", list} + copies);
        QCOMPARE(r.code, code);
        QCOMPARE(lines(r.err).value(0), QString(firstLine).replace("{list}", list));
        QVERIFY(!r.err.contains("Insert"));
        for (qsizetype n = 0; n < copies.size(); ++n)
            QCOMPARE(TestEnv::readHostFile(copies[n]), before[n]);
    }
};

QTEST_GUILESS_MAIN(TestCliHosts)
#include "tst_cli_hosts.moc"
