#include "platform/diskette.h"
#include "platform/floppy_drives.h"
#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The machine's floppy drives as /sys and the mount table describe them, on trees laid out here the
// way the kernel lays them out.
class TestFloppyDrives : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_root;
    FloppyDrives::SystemView m_view;
    QByteArray m_mounts;

    // One /sys/block entry: "size" in 512-byte sectors, "removable", "dev", and for SCSI and USB
    // devices "device/vendor" and "device/model", padded with blanks as the kernel pads them.
    void blockDevice(const QString& name, qint64 sectors, bool removable, const QString& dev,
                     const QByteArray& vendor = {}, const QByteArray& model = {}) {
        const QString dir = m_view.sysBlock + '/' + name;
        TestEnv::writeHostFile(dir + "/size", QByteArray::number(sectors) + '\n');
        TestEnv::writeHostFile(dir + "/removable", removable ? "1\n" : "0\n");
        TestEnv::writeHostFile(dir + "/dev", dev.toLatin1() + '\n');
        if (!vendor.isNull())
            TestEnv::writeHostFile(dir + "/device/vendor", vendor + '\n');
        if (!model.isNull())
            TestEnv::writeHostFile(dir + "/device/model", model + '\n');
        QDir().mkpath(m_view.sysDevBlock);
        QFile::link(dir, m_view.sysDevBlock + '/' + dev);
    }
    void partition(const QString& disk, const QString& name, const QString& dev) {
        const QString dir = m_view.sysBlock + '/' + disk + '/' + name;
        TestEnv::writeHostFile(dir + "/partition", "1\n");
        TestEnv::writeHostFile(dir + "/dev", dev.toLatin1() + '\n');
    }
    void mounted(const QString& dev, const QByteArray& where) {
        m_mounts +=
            "97 29 " + dev.toLatin1() + " / " + where + " rw,nosuid shared:52 - vfat " + "/dev/x rw\n";
        TestEnv::writeHostFile(m_view.mountInfo, m_mounts);
    }
    void machine() {
        blockDevice("fd0", 2880, false, "2:0");
        blockDevice("sda", 2880, false, "8:0", "ATA", "VBOX HARDDISK");
        blockDevice("sdb", 2880, true, "8:16", "TEAC    ", "FD-05PUB        ");
        blockDevice("sdc", 31260672, true, "8:32", "SanDisk ", "Cruzer Blade    ");
        blockDevice("sdd", 2880, true, "8:48", "Y-E DATA", "USB-FDU         ");
        blockDevice("sde", 2880, true, "8:64", {}, "Floppy");
        partition("sde", "sde1", "8:65");
        blockDevice("loop0", 2880, false, "7:0");
        blockDevice("sr0", 2097151, true, "11:0", "HL-DT-ST", "DVDRAM");
        TestEnv::writeHostFile(m_view.mountInfo, {});
    }
    QMap<QString, FloppyDrive> byDevice(const QList<FloppyDrive>& drives) {
        QMap<QString, FloppyDrive> map;
        for (const FloppyDrive& d : drives)
            map.insert(d.device, d);
        return map;
    }

private Q_SLOTS:
    void init() {
        m_root = std::make_unique<QTemporaryDir>();
        m_view.sysBlock = m_root->filePath("sys/block");
        m_view.sysDevBlock = m_root->filePath("sys/dev/block");
        m_view.dev = m_root->filePath("dev");
        m_view.mountInfo = m_root->filePath("proc/mountinfo");
        m_mounts.clear();
        QDir().mkpath(m_view.dev);
        machine();
    }

    void listsFloppyDrivesOnly() {
        const QList<FloppyDrive> drives = FloppyDrives::list(m_view);
        QStringList names;
        for (const FloppyDrive& d : drives)
            names << QDir(m_view.dev).relativeFilePath(d.device);
        // Not the hard disk of the same size, the stick, the loop device nor the optical drive.
        QCOMPARE(names, (QStringList{"fd0", "sdb", "sdd", "sde"}));
    }

    void drive_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("described");
        QTest::newRow("built-in drive") << "fd0"
                                        << ""
                                        << "@/fd0";
        QTest::newRow("USB, padded names") << "sdb"
                                           << "TEAC FD-05PUB"
                                           << "@/sdb (TEAC FD-05PUB)";
        QTest::newRow("model without vendor") << "sde"
                                              << "Floppy"
                                              << "@/sde (Floppy)";
    }
    void drive() {
        QFETCH(QString, name);
        QFETCH(QString, model);
        QFETCH(QString, described);
        const FloppyDrive d = byDevice(FloppyDrives::list(m_view)).value(m_view.dev + '/' + name);
        QCOMPARE(d.model, model);
        QCOMPARE(d.size, Diskette::kBytes);
        QCOMPARE(d.describe(), described.replace('@', m_view.dev));
        QVERIFY(d.usable());
    }

    void mountedDrives_data() {
        QTest::addColumn<QString>("dev");   // what the mount table names
        QTest::addColumn<QString>("drive"); // the drive it holds
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("mountPoint");
        QTest::newRow("whole device") << "8:48"
                                      << "sdd" << QByteArray("/media/floppy") << "/media/floppy";
        QTest::newRow("a partition of it") << "8:65"
                                           << "sde" << QByteArray("/mnt/f") << "/mnt/f";
        QTest::newRow("blank in the path") << "2:0"
                                           << "fd0" << QByteArray("/media/my\\040disk") << "/media/my disk";
    }
    void mountedDrives() {
        QFETCH(QString, dev);
        QFETCH(QString, drive);
        QFETCH(QByteArray, field);
        QFETCH(QString, mountPoint);
        mounted("8:1", "/");
        mounted(dev, field);
        const QMap<QString, FloppyDrive> drives = byDevice(FloppyDrives::list(m_view));
        QCOMPARE(drives.value(m_view.dev + '/' + drive).mountPoint, mountPoint);
        QVERIFY(!drives.value(m_view.dev + '/' + drive).usable());
        // The page offers only what can be written: the mounted drive is left out, no other.
        const QMap<QString, FloppyDrive> usable = byDevice(FloppyDrives::usable(m_view));
        QCOMPARE(usable.size(), drives.size() - 1);
        QVERIFY(!usable.contains(m_view.dev + '/' + drive));
        // Asked by device number, as a write to the device asks.
        const QString diskNumber = dev == "8:65" ? "8:64" : dev;
        QCOMPARE(FloppyDrives::mountPoint(diskNumber, m_view), mountPoint);
    }

    void unmountedDeviceHasNoMountPoint() {
        mounted("8:1", "/");
        QCOMPARE(FloppyDrives::mountPoint("8:16", m_view), QString());
        QCOMPARE(FloppyDrives::mountPoint("9:9", m_view), QString());
    }

    // Only block devices are judged; anything else reaches the write, which reports it.
    void writeRefusalLeavesNonDevicesToTheWrite() {
        TestEnv::writeHostFile(m_root->filePath("disk.img"), QByteArray(1000, '\0'));
        QCOMPARE(FloppyDrives::writeRefusal(m_root->filePath("disk.img"), m_view), QString());
        QCOMPARE(FloppyDrives::writeRefusal(m_root->filePath("missing"), m_view), QString());
        QCOMPARE(FloppyDrives::writeRefusal(m_root->path(), m_view), QString());
    }
};

QTEST_GUILESS_MAIN(TestFloppyDrives)
#include "tst_floppy_drives.moc"
