#include "cli_fixture.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// bootwright-cli where data used to be lost or a failure reported as success: full file systems,
// names mtools misreads, links, owners, hand-edited files, and what the exit status says.
class TestCliSafety : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_base;
    std::unique_ptr<CliFixture> m_fx;

    CliFixture& fx() { return *m_fx; }
    QString base(const QString& rel) const { return m_base->path() + QLatin1Char('/') + rel; }

    // The files of a directory other than those a test laid there itself: what a run left behind.
    static QStringList leftovers(const QString& dir, const QStringList& expected) {
        QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QString& e : expected)
            names.removeAll(e);
        return names;
    }

private Q_SLOTS:
    void init() {
        m_base = std::make_unique<QTemporaryDir>();
        QVERIFY(m_base->isValid());
        m_fx = std::make_unique<CliFixture>(m_base->path());
    }
    void cleanup() {
        m_fx.reset();
        m_base.reset();
    }

    // A full file system leaves the old file whole, says so and exits 3.
    void fullDiskLeavesTheFileWhole_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("WATTCP.CFG of a directory diskette") << "directory";
        QTest::newRow("an image diskette") << "image";
        QTest::newRow("PCBWSAVE.INI") << "profile";
    }
    void fullDiskLeavesTheFileWhole() {
        QFETCH(QString, what);
        Tmpfs fs(base("full"), what == QLatin1String("image") ? QStringLiteral("2m") : QStringLiteral("64k"));
        if (!fs.valid())
            QSKIP(qPrintable(fs.why()));
        QString file;
        QStringList args;
        QStringList expected;
        if (what == QLatin1String("profile")) {
            // The program directory itself lies on the full file system.
            CliFixture onFull(fs.path());
            QCOMPARE(onFull.cli({"save", "Before"}).code, 0);
            file = onFull.path("PCBWSAVE.INI");
            const QByteArray before = TestEnv::readHostFile(file);
            QVERIFY(fs.fill());
            const CliFixture::Result r = onFull.process({"save", "After", "--set", "TForm6.Edit3=LAB"});
            QCOMPARE(r.code, 3);
            QVERIFY2(r.err.contains("PCBWSAVE.INI"), r.err.constData());
            QCOMPARE(TestEnv::readHostFile(file), before);
            // The lock file stays: it is empty, and the next save takes it again.
            QCOMPARE(leftovers(onFull.dir(), {"PCBWSAVE.INI", ".PCBWSAVE.INI.lock"}), QStringList());
            return;
        }
        if (what == QLatin1String("directory")) {
            QVERIFY(CliFixture::makeDirectoryDiskette(fs.path() + "/disk", CliFixture::sampleWattcp()));
            file = fs.path() + "/disk";
            expected = {"WATTCP.CFG"};
        } else {
            QVERIFY(CliFixture::makeImageDiskette(fs.path() + "/disk.img", CliFixture::sampleWattcp()));
            file = fs.path() + "/disk.img";
        }
        const QByteArray imageBefore =
            what == QLatin1String("image") ? TestEnv::readHostFile(file) : QByteArray();
        QVERIFY(fs.fill());
        const CliFixture::Result r = fx().process({"batch", "--ip", "10.9.9.9", "--name", "NEWNAME", file});
        QCOMPARE(r.code, 3);
        QVERIFY2(!r.err.contains("Update Successful"), r.err.constData());
        QVERIFY2(r.out.isEmpty(), r.out.constData());
        QCOMPARE(CliFixture::wattcpOf(file), CliFixture::sampleWattcp());
        if (what == QLatin1String("image")) {
            QCOMPARE(TestEnv::readHostFile(file), imageBefore);
            QCOMPARE(leftovers(fs.path(), {"disk.img", ".filler"}), QStringList());
        } else {
            QCOMPARE(leftovers(file, expected), QStringList());
        }
    }

    // Any name Linux allows is the diskette's name as it stands: built and updated exactly there,
    // and nothing in it is run, globbed or read as an offset ("@@") into another file.
    void anyImagePathIsWrittenExactlyThere_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("home"); // the program folder and TMPDIR below it; empty: plain ones
        QTest::newRow("blanks and quotes") << "my \"lab\" 'A'.img" << QString();
        QTest::newRow("command substitution") << "$(touch PWNED).img" << QString();
        QTest::newRow("backticks") << "`touch PWNED`.img" << QString();
        QTest::newRow("glob characters") << "?.img" << QString();
        QTest::newRow("brackets and braces") << "*[a]{b,c}.img" << QString();
        QTest::newRow("tilde, semicolon, redirection") << "~;touch PWNED>x&.img" << QString();
        QTest::newRow("variable and backslash") << "$HOME\\n.img" << QString();
        QTest::newRow("double at") << "precious@@0.img" << QString();
        QTest::newRow("non-ASCII") << "Übung-ß-диск.img" << QString();
        QTest::newRow("TMPDIR and program folder") << "A.img"
                                                   << "$(touch PWNED) `touch PWNED` *";
    }
    void anyImagePathIsWrittenExactlyThere() {
        QFETCH(QString, name);
        QFETCH(QString, home);
        std::unique_ptr<CliFixture> strange;
        if (!home.isEmpty())
            strange = std::make_unique<CliFixture>(base(home));
        const CliFixture& cli = strange ? *strange : fx();
        const QString dir = base("lab $(touch PWNED) *");
        const QString image = dir + QLatin1Char('/') + name;
        // A file the glob and "@@" rows would reach if the name were read instead of taken.
        const QByteArray precious = "Whatever else happens, these bytes stay.\n";
        TestEnv::writeHostFile(dir + "/precious", precious);
        TestEnv::writeHostFile(dir + "/a.img", precious);

        const CliFixture::Result b =
            cli.cli(QStringList{"build", "--set", "BuildMode=4", "--drive", "A=" + image} + cli.buildable());
        QVERIFY2(b.code == 0, b.err.constData());
        // The test's own mtools calls go through a plain name: they would expand the real one.
        const QString plain = base("plain.img");
        QVERIFY(QFile::link(image, plain));
        TestEnv::writeHostFile(base("WATTCP.CFG"), CliFixture::sampleWattcp());
        QCOMPARE(TestEnv::run("mcopy", {"-i", plain, base("WATTCP.CFG"), "::/WATTCP.CFG"}), 0);
        const CliFixture::Result u = cli.cli({"batch", "--name", "LAB7", image});
        QVERIFY2(u.code == 0, u.err.constData());

        QCOMPARE(leftovers(dir, {"precious", "a.img"}), QStringList{name});
        QCOMPARE(TestEnv::readHostFile(dir + "/precious"), precious);
        QCOMPARE(TestEnv::readHostFile(dir + "/a.img"), precious);
        for (const QString& where : {QDir::currentPath(), fx().dir(), m_base->path()})
            QVERIFY2(!QFileInfo::exists(where + "/PWNED"), qPrintable(where));
        QByteArray report;
        QVERIFY2(TestEnv::fsckClean(plain, &report), report.constData());
        QVERIFY(TestEnv::mtype(plain, "::/WATTCP.CFG").contains("HOSTNAME=LAB7\r\n"));
        QVERIFY(TestEnv::imageFiles(plain).contains("::/CLIENT.EXE"));
    }

    // A diskette file that cannot be made is an input/output failure, named, and nothing is left.
    void uncreatableImageExitsThree_data() {
        QTest::addColumn<QString>("where");
        QTest::newRow("missing folder") << "missing";
        QTest::newRow("read-only file system") << "readonly";
    }
    void uncreatableImageExitsThree() {
        QFETCH(QString, where);
        std::unique_ptr<Tmpfs> fs;
        QString image = base("nowhere/A.img");
        if (where == QLatin1String("readonly")) {
            fs = std::make_unique<Tmpfs>(base("ro"), QStringLiteral("2m"));
            if (!fs->valid() || !fs->remount(true))
                QSKIP(qPrintable(fs->why()));
            image = fs->path() + "/A.img";
        }
        const CliFixture::Result r = fx().cli(
            QStringList{"build", "--set", "BuildMode=4", "--drive", "A=" + image} + fx().buildable());
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.contains(image.toUtf8()), r.err.constData());
        QVERIFY(!QFileInfo::exists(image));
    }

    // A diskette reached through a symbolic link is changed where the link points; the link stays.
    void batchWritesThroughLinks_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("relative");
        QTest::addColumn<int>("hops");
        QTest::newRow("image, absolute link") << "image" << false << 1;
        QTest::newRow("image, relative link") << "image" << true << 1;
        QTest::newRow("image, link to a link") << "image" << false << 2;
        QTest::newRow("WATTCP.CFG, absolute link") << "directory" << false << 1;
        QTest::newRow("WATTCP.CFG, link to a link") << "directory" << true << 2;
    }
    void batchWritesThroughLinks() {
        QFETCH(QString, kind);
        QFETCH(bool, relative);
        QFETCH(int, hops);
        const bool image = kind == QLatin1String("image");
        QDir().mkpath(base("real"));
        QDir().mkpath(base("links"));
        const QString real = image ? base("real/disk.img") : base("real/WATTCP.CFG");
        if (image)
            QVERIFY(CliFixture::makeImageDiskette(real, CliFixture::sampleWattcp()));
        else
            TestEnv::writeHostFile(real, CliFixture::sampleWattcp());
        // links/l1 -> (links/l2 ->) real
        QString target = relative ? QStringLiteral("../real/") + QFileInfo(real).fileName() : real;
        QStringList links;
        for (int i = hops; i >= 1; --i) {
            const QString link = base(QStringLiteral("links/l%1").arg(i)) + (image ? ".img" : "");
            QVERIFY(QFile::link(target, link));
            links.prepend(link);
            target = relative ? QFileInfo(link).fileName() : link;
        }
        QString diskette = links.first();
        if (!image) {
            QDir().mkpath(base("disk"));
            QVERIFY(QFile::link(links.first(), base("disk/WATTCP.CFG")));
            diskette = base("disk");
        }
        const CliFixture::Result r = fx().cli({"batch", "--name", "LINKED", diskette});
        QCOMPARE(r.code, 0);
        for (const QString& link : links)
            QVERIFY2(QFileInfo(link).isSymLink(), qPrintable(link));
        if (!image)
            QVERIFY(QFileInfo(base("disk/WATTCP.CFG")).isSymLink());
        const QByteArray now = image ? TestEnv::mtype(real, "::/WATTCP.CFG") : TestEnv::readHostFile(real);
        QVERIFY2(now.contains("HOSTNAME=LINKED\r\n"), now.constData());
        if (image)
            QVERIFY(TestEnv::fsckClean(real));
    }

    // Only what a diskette's file can hold as one line goes into it, and only an address the
    // Multicast client page takes.
    void batchRefusesWhatTheFileCannotHold_data() {
        QTest::addColumn<QStringList>("option");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("CR LF and a second key")
            << QStringList{"--name", "LAB\r\nMY_IP=6.6.6.6"} << QByteArray("line break");
        QTest::newRow("LF alone") << QStringList{"--name", "LAB\nX"} << QByteArray("line break");
        QTest::newRow("a letter outside Windows-1252")
            << QStringList{"--name", QString::fromUtf8("\xC5\x81UKASZ")} << QByteArray("\xC5\x81");
        QTest::newRow("a character outside the basic plane")
            << QStringList{"--name", QString::fromUtf8("PC\xF0\x9F\x98\x80")}
            << QByteArray("\xF0\x9F\x98\x80");
        QTest::newRow("a first group above 255")
            << QStringList{"--ip", "300.1.1.1"} << QByteArray("300.1.1.1 is no address");
        QTest::newRow("a last group of 999")
            << QStringList{"--ip", "10.0.0.999"} << QByteArray("10.0.0.999 is no address");
        QTest::newRow("no address") << QStringList{"--ip", "0.0.0.0"} << QByteArray("a valid IP Address");
    }
    void batchRefusesWhatTheFileCannotHold() {
        QFETCH(QStringList, option);
        QFETCH(QByteArray, named);
        QVERIFY(CliFixture::makeDirectoryDiskette(base("disk"), CliFixture::sampleWattcp()));
        const CliFixture::Result r = fx().cli(QStringList{"batch"} + option + QStringList{base("disk")});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(named) && r.err.contains(option[0].toLatin1()), r.err.constData());
        QCOMPARE(CliFixture::wattcpOf(base("disk")), CliFixture::sampleWattcp());
    }

    void saveRefusesWhatTheFileCannotHold_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("letter outside Windows-1252")
            << QStringList{"save", "Lab", "--set", QString::fromUtf8("TForm6.Edit3=\xC5\x81UKASZ")}
            << QByteArray("The multicast client name holds");
        QTest::newRow("value longer than a reader takes back")
            << QStringList{"save", "Lab", "--set", "TForm99.Edit6=" + QString(1024, QLatin1Char('x'))}
            << QByteArray("The post-configuration login name is 1024 characters long");
        QTest::newRow("description outside Windows-1252")
            << QStringList{"save", QString::fromUtf8("Lab \xE2\x84\x96 1")} << QByteArray("\xE2\x84\x96");
    }
    void saveRefusesWhatTheFileCannotHold() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, named);
        const CliFixture::Result r = fx().cli(args);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(named), r.err.constData());
        QVERIFY(!QFileInfo::exists(fx().path("PCBWSAVE.INI")));
    }

    void buildRefusesWhatTheDisketteCannotHold() {
        QVERIFY(QDir().mkpath(base("disk")));
        const CliFixture::Result r = fx().cli(
            QStringList{"build", "--set", "BuildMode=1", "--set", "TForm6.Edit1=10.0.0.5", "--set",
                        "TForm6.Edit2=255.0.0.0", "--set", QString::fromUtf8("TForm6.Edit3=\xC5\x81UKASZ"),
                        "--drive", "A=" + base("disk")} +
            fx().buildable());
        QVERIFY2(r.code != 0, r.err.constData());
        QVERIFY2(r.err.contains("\xC5\x81"), r.err.constData());
        QVERIFY(!TestEnv::readHostFile(base("disk/WATTCP.CFG")).contains("HOSTNAME=?"));
        QVERIFY(r.out.isEmpty());
    }

    // The keys are replaced where they stand, also below the seventh line; never added twice.
    void batchReplacesKeysBelowTheSeventhLine_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("comments first") << QByteArray("; 1\r\n; 2\r\n; 3\r\n; 4\r\n; 5\r\n; 6\r\n; 7\r\n"
                                                      "[CLIENT DISKETTE OPERATION]\r\nMY_IP=10.0.0.5\r\n"
                                                      "HOSTNAME=OLD\r\nNETMASK=255.0.0.0\r\n");
        QTest::newRow("address first, name far down") << QByteArray(
            "[CLIENT DISKETTE OPERATION]\r\nMY_IP=10.0.0.5\r\n; a\r\n; b\r\n; c\r\n; d\r\n"
            "; e\r\n; f\r\nHOSTNAME=OLD\r\nNETMASK=255.0.0.0\r\n[POST-CONFIGURATION OPTIONS]\r\n"
            "COMPUTERNAME=KEEP\r\n");
    }
    void batchReplacesKeysBelowTheSeventhLine() {
        QFETCH(QByteArray, file);
        QVERIFY(CliFixture::makeDirectoryDiskette(base("disk"), file));
        for (const char* name : {"NEW1", "NEW2"})
            QCOMPARE(fx().cli({"batch", "--ip", "10.1.1.1", "--name", name, base("disk")}).code, 0);
        const QByteArray now = CliFixture::wattcpOf(base("disk"));
        QCOMPARE(now.count("MY_IP="), 1);
        QCOMPARE(now.count("HOSTNAME="), 1);
        QVERIFY2(now.contains("HOSTNAME=NEW2\r\n") && now.contains("MY_IP=10.1.1.1\r\n"), now.constData());
        // Every other line stays as it was, in its place.
        QByteArray expected = file;
        expected.replace("MY_IP=10.0.0.5", "MY_IP=10.1.1.1").replace("HOSTNAME=OLD", "HOSTNAME=NEW2");
        QCOMPARE(now, expected);
    }

    // Run as root, a replaced file keeps its owner, group and mode.
    void replacedFilesKeepOwnerGroupAndMode_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("image of a batch") << "image";
        QTest::newRow("WATTCP.CFG of a batch") << "directory";
        QTest::newRow("PCBWSAVE.INI of a save") << "profile";
        QTest::newRow("PCBWSAVE.INI of a remove") << "remove";
    }
    void replacedFilesKeepOwnerGroupAndMode() {
        QFETCH(QString, what);
        if (::geteuid() != 0)
            QSKIP("giving a file to another owner needs root");
        QString file;
        QStringList args;
        if (what == QLatin1String("image")) {
            file = base("disk.img");
            QVERIFY(CliFixture::makeImageDiskette(file, CliFixture::sampleWattcp()));
            args = {"batch", "--name", "OWNED", file};
        } else if (what == QLatin1String("directory")) {
            QVERIFY(CliFixture::makeDirectoryDiskette(base("disk"), CliFixture::sampleWattcp()));
            file = base("disk/WATTCP.CFG");
            args = {"batch", "--name", "OWNED", base("disk")};
        } else {
            QCOMPARE(fx().cli({"save", "First"}).code, 0);
            QCOMPARE(fx().cli({"save", "Second"}).code, 0);
            file = fx().path("PCBWSAVE.INI");
            args = what == QLatin1String("remove") ? QStringList{"remove", "First"}
                                                   : QStringList{"save", "Third"};
        }
        QVERIFY(Owners::set(file, 4321, 4322, 0640));
        const QByteArray before = TestEnv::readHostFile(file);
        QCOMPARE(fx().cli(args).code, 0);
        QVERIFY(TestEnv::readHostFile(file) != before);
        const Owners::Stat st = Owners::of(file);
        QCOMPARE(st.uid, uid_t(4321));
        QCOMPARE(st.gid, gid_t(4322));
        QCOMPARE(st.mode, mode_t(0640));
    }

    // A refused action exits 1, an unreadable file 3; descriptions compare without regard to case.
    void exitStatusSaysWhatHappened_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("said");
        QTest::newRow("list of an unreadable file")
            << "dir" << QStringList{"list"} << 3 << QByteArray("PCBWSAVE.INI");
        QTest::newRow("build --config from an unreadable file")
            << "dir" << QStringList{"build", "--config", "Lab"} << 3 << QByteArray("PCBWSAVE.INI");
        QTest::newRow("remove on a read-only file system")
            << "readonly" << QStringList{"remove", "Lab"} << 3 << QByteArray("PCBWSAVE.INI");
        QTest::newRow("remove of a missing one") << "saved" << QStringList{"remove", "Nothing"} << 1
                                                 << QByteArray("Configuration could not be found.");
        QTest::newRow("remove in another case")
            << "saved" << QStringList{"remove", "LAB"} << 0 << QByteArray();
        QTest::newRow("--config in another case")
            << "saved" << QStringList{"save", "Copy", "--config", "lAB"} << 0 << QByteArray();
    }
    void exitStatusSaysWhatHappened() {
        QFETCH(QString, situation);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QByteArray, said);
        std::unique_ptr<Tmpfs> fs;
        CliFixture* cli = m_fx.get();
        std::unique_ptr<CliFixture> onTmpfs;
        if (situation == QLatin1String("dir")) {
            QVERIFY(QDir().mkpath(fx().path("PCBWSAVE.INI")));
        } else if (situation == QLatin1String("readonly")) {
            fs = std::make_unique<Tmpfs>(base("ro"), QStringLiteral("1m"));
            if (!fs->valid())
                QSKIP(qPrintable(fs->why()));
            onTmpfs = std::make_unique<CliFixture>(fs->path());
            cli = onTmpfs.get();
            QCOMPARE(cli->cli({"save", "Lab"}).code, 0);
            QVERIFY(fs->remount(true));
        } else {
            QCOMPARE(cli->cli({"save", "Lab", "--set", "TForm6.Edit3=FROMLAB"}).code, 0);
        }
        const QByteArray before = TestEnv::readHostFile(cli->path("PCBWSAVE.INI"));
        const CliFixture::Result r = cli->cli(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(said), r.err.constData());
        if (situation == QLatin1String("readonly")) {
            QCOMPARE(TestEnv::readHostFile(cli->path("PCBWSAVE.INI")), before);
            QVERIFY(fs->remount(false));
        }
        if (args.first() == QLatin1String("remove") && code == 0)
            QCOMPARE(cli->cli({"list"}).out, QByteArray());
        if (args.contains("Copy"))
            QCOMPARE(cli->savedKeys("Copy").value("PARAMF"), QStringLiteral("FROMLAB"));
    }

    // A profile file is read only when it is a regular file of a size no real one reaches.
    void refusesToReadWhatIsNoProfileFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("said");
        QTest::newRow("link to /dev/zero") << "zero" << QByteArray("not a regular file");
        QTest::newRow("a fifo") << "fifo" << QByteArray("not a regular file");
        QTest::newRow("a regular file of 17 MiB") << "large" << QByteArray("larger than");
    }
    void refusesToReadWhatIsNoProfileFile() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, said);
        const QString ini = fx().path("PCBWSAVE.INI");
        if (kind == QLatin1String("zero")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), ini));
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(ini).constData(), 0600), 0);
        } else {
            QFile f(ini);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write("[SAVED]\r\n") > 0);
            QVERIFY(f.resize(17 * 1024 * 1024));
        }
        QProcess p;
        p.setStandardInputFile(QProcess::nullDevice());
#if !defined(__SANITIZE_ADDRESS__)
        // A reader without a bound would eat the machine's memory: a seat belt, not the test.
        p.setChildProcessModifier([] {
            const rlimit limit{1024L * 1024 * 1024, 1024L * 1024 * 1024};
            ::setrlimit(RLIMIT_AS, &limit);
        });
#endif
        p.start(CliRunner::program(), {"--dir", fx().dir(), "list"});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 3);
        const QByteArray err = p.readAllStandardError();
        QVERIFY2(err.contains(said) && err.contains("PCBWSAVE.INI"), err.constData());
    }

    // A fifo would keep the command waiting for ever, a device would feed it for ever: what the
    // user names as an input file is read only when it is a regular file. Output that never
    // reached its reader is a failure, not a result.
    void inputsAndOutputsThatAreNoFiles_data() {
        QTest::addColumn<QString>("kind"); // fifo, zero (a link to /dev/zero) or full (stdout)
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        const QStringList build{"build", "--drive", "A={base}/{n}.img"};
        for (const char* kind : {"fifo", "zero"}) {
            QTest::addRow("build --hosts, %s", kind)
                << kind << build + QStringList{"--hosts", "{input}"} << 3;
            QTest::addRow("batch --hosts, %s", kind)
                << kind << QStringList{"batch", "--hosts", "{input}", "{base}"} << 3;
            QTest::addRow("--template, %s", kind)
                << kind << QStringList{"--template", "{input}"} + build << 1;
        }
        QTest::newRow("list to a full disk") << "full" << QStringList{"list"} << 3;
        QTest::newRow("build --check to a full disk") << "full" << build + QStringList{"--check"} << 3;
    }
    void inputsAndOutputsThatAreNoFiles() {
        QFETCH(QString, kind);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        const QString input = base("input");
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(input).constData(), 0600), 0);
        QVERIFY(kind != QLatin1String("zero") || QFile::link(QStringLiteral("/dev/zero"), input));
        QCOMPARE(fx().cli({"save", "Lab"}).code, 0);
        QProcess p;
        p.setStandardInputFile(QProcess::nullDevice());
        if (kind == QLatin1String("full"))
            p.setStandardOutputFile(QStringLiteral("/dev/full"));
        args.replaceInStrings("{input}", input).replaceInStrings("{base}", m_base->path());
        if (args.contains("build"))
            args += fx().buildable();
        p.start(CliRunner::program(), QStringList{"--dir", fx().dir()} + args);
        QVERIFY2(p.waitForFinished(20000), "still waiting after 20 s");
        const QByteArray err = p.readAllStandardError();
        QCOMPARE(p.exitCode(), code);
        QVERIFY2(err.contains(kind == QLatin1String("full") ? QByteArray("could not be written in full")
                                                            : input.toLocal8Bit()),
                 err.constData());
        QVERIFY(!QFileInfo::exists(base("1.img")));
    }

    // What killed runs left goes at the next start, and only that: a live process's temporary files
    // and fresh files of an older version's naming stay.
    void startRemovesWhatKilledRunsLeft_data() {
        QTest::addColumn<QString>("where"); // prog, images (a drive's folder elsewhere) or tmp
        QTest::addColumn<QString>("name");  // %1 is a process id
        QTest::addColumn<bool>("deadProcess");
        QTest::addColumn<int>("ageMinutes");
        QTest::addColumn<bool>("removed");
        QTest::newRow("profile file's, process ended") << "prog"
                                                       << ".PCBWSAVE.INI.bw-tmp.%1.k3" << true << 0 << true;
        QTest::newRow("profile file's, process alive") << "prog"
                                                       << ".PCBWSAVE.INI.bw-tmp.%1.k3" << false << 0 << false;
        QTest::newRow("image's, in the drive's folder") << "images"
                                                        << ".B.img.bw-tmp.%1.z" << true << 0 << true;
        QTest::newRow("scratch folder, process ended") << "tmp"
                                                       << "bootwright-%1-Ab12Cd" << true << 0 << true;
        QTest::newRow("scratch folder, process alive") << "tmp"
                                                       << "bootwright-%1-Ab12Cd" << false << 0 << false;
        QTest::newRow("older version's, an hour old") << "prog"
                                                      << ".PCBWSAVE.INI.tmp1x2y" << true << 60 << true;
        QTest::newRow("older version's, fresh") << "prog"
                                                << ".PCBWSAVE.INI.tmp1x2y" << true << 0 << false;
        QTest::newRow("older working copy, an hour old") << "prog"
                                                         << "A.img.bw-new" << true << 60 << true;
        QTest::newRow("someone else's file") << "prog"
                                             << "notes.bw-tmp.%1.txt" << true << 60 << false;
    }
    void startRemovesWhatKilledRunsLeft() {
        QFETCH(QString, where);
        QFETCH(QString, name);
        QFETCH(bool, deadProcess);
        QFETCH(int, ageMinutes);
        QFETCH(bool, removed);
        QDir().mkpath(base("images"));
        TestEnv::writeHostFile(fx().path("PCBW.INI"),
                               "[DRIVES]\r\nB=" + base("images/B.img").toLocal8Bit() + "\r\n");
        const QString dir = where == QLatin1String("prog")     ? fx().dir()
                            : where == QLatin1String("images") ? base("images")
                                                               : fx().tmpDir();
        const QString path = dir + QLatin1Char('/') + name.arg(deadProcess ? deadPid() : ::getpid());
        if (where == QLatin1String("tmp")) {
            QVERIFY(QDir().mkpath(path));
            TestEnv::writeHostFile(path + "/f1", "a diskette's file");
        } else {
            TestEnv::writeHostFile(path, "left behind");
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-60 * ageMinutes),
                                  QFileDevice::FileModificationTime));
        }
        QCOMPARE(fx().cli({"list"}).code, 0);
        QCOMPARE(!QFileInfo::exists(path), removed);
    }

    // An image of the wrong size is named before it is written; a file that is no FAT12 diskette
    // is not written at all.
    void imagesOfTheWrongKind_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("fat");
        QTest::addColumn<int>("code");
        QTest::newRow("truncated") << qint64(1200000) << true << 0;
        QTest::newRow("too long") << qint64(2000000) << true << 0;
        QTest::newRow("a text file") << qint64(0) << false << 3;
        QTest::newRow("an empty file") << qint64(-1) << false << 3;
    }
    void imagesOfTheWrongKind() {
        QFETCH(qint64, size);
        QFETCH(bool, fat);
        QFETCH(int, code);
        const QString image = base("disk.img");
        if (fat) {
            QVERIFY(CliFixture::makeImageDiskette(image, CliFixture::sampleWattcp()));
            QVERIFY(QFile::resize(image, size));
        } else {
            TestEnv::writeHostFile(image, size < 0 ? QByteArray() : QByteArray("MY_IP=1.2.3.4\r\n"));
        }
        const QByteArray before = TestEnv::readHostFile(image);
        const CliFixture::Result r = fx().cli({"batch", "--name", "SIZED", image});
        QCOMPARE(r.code, code);
        if (fat) {
            const QByteArray said = QLocale(QLocale::English).toString(size).toLatin1() + " bytes";
            QVERIFY2(r.err.contains(said), r.err.constData());
            QVERIFY2(r.err.indexOf(said) < r.err.indexOf("Update Successful"), r.err.constData());
            QVERIFY(TestEnv::mtype(image, "::/WATTCP.CFG").contains("HOSTNAME=SIZED"));
        } else {
            QVERIFY2(r.err.contains("FAT12"), r.err.constData());
            QCOMPARE(TestEnv::readHostFile(image), before);
        }
        // A build onto it is treated alike.
        QFile::remove(image);
        if (fat) {
            QVERIFY(TestEnv::makeBlankImage(image));
            QVERIFY(QFile::resize(image, size));
        } else {
            TestEnv::writeHostFile(image, before);
        }
        const CliFixture::Result b = fx().cli(
            QStringList{"build", "--set", "BuildMode=4", "--drive", "A=" + image} + fx().buildable());
        if (fat) {
            const QByteArray said = QLocale(QLocale::English).toString(size).toLatin1() + " bytes";
            QVERIFY2(b.err.contains(said), b.err.constData());
        } else {
            QCOMPARE(b.code, 3);
            QCOMPARE(TestEnv::readHostFile(image), before);
        }
    }

    // Settings that cannot be used end the command naming where they are, never with built-in
    // defaults in their place (a build onto A.img), nor with a control byte in a file or a message.
    void unusableSettingsEndTheCommand_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said"); // %1: the program directory
        QTest::newRow("PCBW.INI a folder")
            << "folder" << QStringList{"build"} << 3 << "%1/PCBW.INI: it is a folder";
        QTest::newRow("PCBWSAVE.INI of 17 MiB")
            << "large" << QStringList{"save", "Lab"} << 3 << "%1/PCBWSAVE.INI";
        QTest::newRow("--set") << ""
                               << QStringList{"build", "--set",
                                              "multicast.name=A\x1A"
                                              "B\x1B[2J\x07"}
                               << 2 << "character U+001A";
        QTest::newRow("saved configuration") << "config" << QStringList{"build", "--config", "Lab"} << 1
                                             << "configuration \"Lab\" cannot be loaded: multicast.name";
    }
    void unusableSettingsEndTheCommand() {
        QFETCH(QString, situation);
        QFETCH(QStringList, args);
        if (situation == "folder")
            QVERIFY(QDir().mkpath(fx().path("PCBW.INI")));
        if (situation == "config")
            TestEnv::writeHostFile(fx().path("PCBWSAVE.INI"),
                                   "[SAVED]\nLab=SAVED1\n[SAVED1]\ndesc=Lab\nparamf=A\x1A\n");
        if (situation == "large") {
            TestEnv::writeHostFile(fx().path("PCBWSAVE.INI"), "[SAVED]\r\n");
            QVERIFY(QFile::resize(fx().path("PCBWSAVE.INI"), 17 * 1024 * 1024));
        }
        const CliFixture::Result r = fx().cli(args);
        QTEST(r.code, "code");
        QFETCH(QString, said);
        QVERIFY2(r.err.contains(said.replace("%1", fx().dir()).toUtf8()) && !r.err.contains('\x1B'),
                 r.err.constData());
        QVERIFY(!QFileInfo::exists(fx().path("A.img")));
    }
};

QTEST_GUILESS_MAIN(TestCliSafety)
#include "tst_cli_safety.moc"
