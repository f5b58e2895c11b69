#include "cli_program.h"

#include <QCryptographicHash>
#include <QtTest>
#include <unistd.h>

// Real block devices: loop devices over image files stand in for a floppy drive, a USB stick and
// a mounted diskette. Needs root and loop devices; skipped, saying so, where they are missing.
class TestCliDevices : public QObject {
    Q_OBJECT
    std::unique_ptr<CliProgram> m_fx;
    QStringList m_loops;
    QStringList m_mounts;

    static int run(const QString& program, const QStringList& args, QByteArray* out = nullptr) {
        return TestEnv::run(program, args, out);
    }
    // A loop device over a file of that many bytes, formatted as a diskette when it is 1.44 MB.
    QString loopDevice(const QString& file, qint64 bytes) {
        if (bytes == 1474560)
            TestEnv::makeBlankImage(file);
        else
            TestEnv::writeHostFile(file, QByteArray(bytes, '\0'));
        QByteArray out;
        if (run("losetup", {"--find", "--show", file}, &out) != 0)
            return {};
        m_loops << QString::fromLocal8Bit(out).trimmed();
        return m_loops.last();
    }
    static QByteArray sha(const QString& file) {
        return QCryptographicHash::hash(TestEnv::readHostFile(file), QCryptographicHash::Sha256);
    }

private Q_SLOTS:
    void initTestCase() {
        if (::geteuid() != 0)
            QSKIP("loop devices need root: the device tests are skipped");
        QByteArray out;
        if (run("losetup", {"--find"}, &out) != 0 || !out.startsWith("/dev/loop"))
            QSKIP(qPrintable(
                QString::fromLocal8Bit("no free loop device here, the device tests are skipped: " + out)));
    }
    void init() { m_fx = std::make_unique<CliProgram>(); }
    void cleanup() {
        for (const QString& m : std::as_const(m_mounts))
            run("umount", {m});
        for (const QString& l : std::as_const(m_loops)) {
            run("blockdev", {"--setrw", l}); // the flag outlives the loop device's backing file
            run("losetup", {"-d", l});
        }
        m_mounts.clear();
        m_loops.clear();
    }

    void wholeBuildOntoADevice() {
        const QString loop = loopDevice(m_fx->path("floppy.img"), 1474560);
        QVERIFY(!loop.isEmpty());
        m_fx->setDrives("A=" + loop.toLatin1() + "\r\n");
        QCOMPARE(m_fx->cli({"drives"}).out.split('\n').value(1),
                 "A:\tdevice\t" + loop.toLatin1() + "\tyes\tyes\t-");

        const CliProgram::Result r = m_fx->process(QStringList{"build"} + m_fx->multicast());
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, "1\t" + loop.toLatin1() + "\t10.0.0.5\tCLIENT01\n");
        // Read back from the device itself, as another program would.
        QByteArray report;
        QVERIFY2(TestEnv::fsckClean(loop, &report), report.constData());
        QCOMPARE(TestEnv::mtype(loop, "::/WATTCP.CFG"),
                 QByteArray("[CLIENT DISKETTE OPERATION]\r\nMY_IP=10.0.0.5\r\nHOSTNAME=CLIENT01\r\n"
                            "NETMASK=255.255.255.0\r\n"));
        QCOMPARE(TestEnv::mtype(loop, "::/CLIENT.EXE"),
                 TestEnv::readHostFile(m_fx->path("pella/client.exe")));
        QVERIFY(TestEnv::imageFiles(loop).contains("::/PROTMAN.DOS"));

        // The batch update goes through the same device.
        const CliProgram::Result b = m_fx->process({"batch", "--name", "LAB9", loop});
        QCOMPARE(b.code, 0);
        QVERIFY(TestEnv::mtype(loop, "::/WATTCP.CFG").contains("HOSTNAME=LAB9\r\n"));
        QVERIFY(TestEnv::fsckClean(loop));
    }

    void refused_data() {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<bool>("mount");
        QTest::addColumn<QString>("reason"); // @ = the mount point
        QTest::newRow("2 MB, a stick")
            << qint64(2097152) << false
            << "the device holds 2,097,152 bytes, not a 1.44 MB diskette (1,474,560 bytes)";
        QTest::newRow("720 KB") << qint64(737280) << false << "the device holds 737,280 bytes";
        QTest::newRow("mounted") << qint64(1474560) << true << "the device is mounted on @; unmount it first";
        // It opens for writing, and mtools exits 0 while every write fails.
        QTest::newRow("write-protected") << qint64(1474560) << false << "the diskette is write-protected";
    }
    void refused() {
        QFETCH(qint64, bytes);
        QFETCH(bool, mount);
        QFETCH(QString, reason);
        const QString backing = m_fx->path("device.img");
        const QString loop = loopDevice(backing, bytes);
        QVERIFY(!loop.isEmpty());
        const QByteArray wattcp = "[CLIENT DISKETTE OPERATION]\r\nMY_IP=10.0.0.5\r\nHOSTNAME=OLD1\r\n";
        if (mount) {
            // The file system does not matter, only that the system holds the device: where vfat is
            // missing from the kernel, ext2 stands in.
            const QString where = m_fx->path("mnt");
            QDir().mkpath(where);
            QByteArray out;
            if (run("mount", {"-t", "vfat", loop, where}, &out) != 0 &&
                (run("mkfs.ext2", {"-q", loop}, &out) != 0 ||
                 run("mount", {"-t", "ext2", loop, where}, &out) != 0))
                QSKIP(
                    qPrintable(QString::fromLocal8Bit("the loop device could not be mounted here: " + out)));
            m_mounts << where;
            reason.replace('@', where);
        } else {
            // A FAT file system of the wrong size, with a diskette's WATTCP.CFG on it: everything
            // can be read, nothing may be written.
            QCOMPARE(run("mkfs.fat", {loop}), 0);
            TestEnv::writeHostFile(m_fx->path("WATTCP.CFG"), wattcp);
            QCOMPARE(run("mcopy", {"-i", loop, m_fx->path("WATTCP.CFG"), "::/WATTCP.CFG"}), 0);
            if (bytes == 1474560)
                QCOMPARE(run("blockdev", {"--setro", loop}), 0);
        }
        const QByteArray before = sha(backing);
        m_fx->setDrives("A=" + loop.toLatin1() + "\r\n");

        const CliProgram::Result r = m_fx->process(QStringList{"build", "--no-verify"} + m_fx->multicast());
        QCOMPARE(r.code, 3);
        QVERIFY2(r.err.startsWith(
                     QByteArray("bootwright-cli: drive A: (" + loop.toLatin1() + ") is not written: ")),
                 r.err.constData());
        QVERIFY2(r.err.contains(reason.toLatin1()), r.err.constData());
        QCOMPARE(r.out, QByteArray());

        const QString listed = QString::fromLocal8Bit(m_fx->cli({"drives"}).out.split('\n').value(1));
        QVERIFY2(listed.startsWith("A:\tdevice\t" + loop + "\tyes\tno\t" + reason), qPrintable(listed));
        if (mount)
            return;
        // The batch update is refused before it reads WATTCP.CFG.
        const CliProgram::Result b = m_fx->process({"batch", "--name", "LAB9", loop});
        QCOMPARE(b.code, 3);
        QVERIFY2(
            b.err.contains(QByteArray("\nbootwright-cli: Cannot write to the diskette " + loop.toLatin1())),
            b.err.constData());
        QVERIFY2(b.err.contains(reason.toLatin1()), b.err.constData());
        QCOMPARE(TestEnv::mtype(loop, "::/WATTCP.CFG"), wattcp);
        QCOMPARE(sha(backing), before);
    }
};

QTEST_GUILESS_MAIN(TestCliDevices)
#include "tst_cli_devices.moc"
