#include "platform/drive_table.h"
#include "test_env.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

class TestDriveTable : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name) const { return m_dir->filePath(name); }
    void writeIni(const QByteArray& drives) {
        TestEnv::writeHostFile(path("PCBW.INI"), "[CONFIG]\r\nShowHint1=1\r\n[DRIVES]\r\n" + drives);
    }

private Q_SLOTS:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void defaultsWithoutIni() {
        const DriveTable table = DriveTable::load(m_dir->path());
        QCOMPARE(table.hostPath('A'), path("A.img"));
        QCOMPARE(table.hostPath('b'), path("B.img"));
        QCOMPARE(table.kind('A'), DriveTable::Kind::Image);
        QCOMPARE(table.describe('a'),
                 "A: is the image " + path("A.img") + " (made blank when first written)");
        QCOMPARE(table.kind('C'), DriveTable::Kind::None);
        QCOMPARE(table.hostPath('C'), QString());
        QCOMPARE(table.describe('C'), QString("C: is not mapped"));
        QCOMPARE(table.mappings().size(), 2);
    }

    void entries_data() {
        QTest::addColumn<QByteArray>("drives");
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<QString>("expected"); // relative to the program directory, "" = unmapped
        QTest::newRow("absolute image")
            << QByteArray("A=/srv/floppies/one.ima\r\n") << QChar('A') << "/srv/floppies/one.ima";
        QTest::newRow("relative directory") << QByteArray("C=disks/c\r\n") << QChar('C') << "@disks/c";
        QTest::newRow("lower-case key, blanks")
            << QByteArray("d = ../shared \r\n") << QChar('D') << "@../shared";
        QTest::newRow("key with colon") << QByteArray("E:=/mnt/e\r\n") << QChar('E') << "/mnt/e";
        QTest::newRow("empty value unmaps A") << QByteArray("A=\r\n") << QChar('A') << "";
        QTest::newRow("B keeps default") << QByteArray("A=x.img\r\n") << QChar('B') << "@B.img";
        QTest::newRow("bad key ignored") << QByteArray("CD=/x\r\n") << QChar('C') << "";
    }
    void entries() {
        QFETCH(QByteArray, drives);
        QFETCH(QChar, letter);
        QFETCH(QString, expected);
        writeIni(drives);
        if (expected.startsWith('@'))
            expected = QDir::cleanPath(path(expected.mid(1)));
        QCOMPARE(DriveTable::load(m_dir->path()).hostPath(letter), expected);
    }

    void kinds() {
        QDir(m_dir->path()).mkdir("floppy");
        QVERIFY(TestEnv::makeBlankImage(path("disk.bin")));
        writeIni("A=floppy\r\nB=disk.bin\r\nC=missing\r\nD=/dev/fd9\r\n");
        const DriveTable table = DriveTable::load(m_dir->path());
        QCOMPARE(table.kind('A'), DriveTable::Kind::Directory);
        QCOMPARE(table.describe('A'), "A: is the folder " + path("floppy"));
        QCOMPARE(table.kind('B'), DriveTable::Kind::Image); // an existing file, whatever its name
        QCOMPARE(table.describe('B'), "B: is the image " + path("disk.bin"));
        QCOMPARE(table.kind('C'), DriveTable::Kind::Directory);
        QCOMPARE(table.describe('C'),
                 "C: is the folder " + path("missing") + " (does not exist: make it, or choose another)");
        // Truthful about an image that cannot be made, and about a file that is none.
        TestEnv::writeHostFile(path("notes.txt"), "lab notes\n");
        writeIni("E=gone/E.img\r\nF=notes.txt\r\n");
        const DriveTable later = DriveTable::load(m_dir->path());
        QCOMPARE(later.describe('E'), "E: is the image " + path("gone/E.img") + " (its folder " +
                                          path("gone") + " does not exist)");
        QCOMPARE(later.describe('F'),
                 "F: is the file " + path("notes.txt") +
                     " (no diskette image: it is 10 bytes long, too short for a diskette)");
        QCOMPARE(table.kind('D'), DriveTable::Kind::Device);
        QCOMPARE(table.describe('D'), QString("D: is the floppy device /dev/fd9 (no such device)"));
    }

    void blockDevice() {
        const QStringList candidates = QDir("/dev").entryList({"loop*", "sd?", "vd?", "nvme*"}, QDir::System);
        for (const QString& name : candidates) {
            struct stat st {};
            const QString device = "/dev/" + name;
            if (::stat(device.toLocal8Bit().constData(), &st) == 0 && S_ISBLK(st.st_mode)) {
                DriveTable table;
                table.map('b', device);
                QCOMPARE(table.kind('B'), DriveTable::Kind::Device);
                return;
            }
        }
        QSKIP("no block device on this machine");
    }

    void mapForThisRun() {
        DriveTable table = DriveTable::load(m_dir->path());
        table.map('a', "/tmp/../srv/a.img");
        QCOMPARE(table.hostPath('A'), QString("/srv/a.img"));
        table.map('A', QString());
        QCOMPARE(table.kind('A'), DriveTable::Kind::None);
    }
};

QTEST_GUILESS_MAIN(TestDriveTable)
#include "tst_drive_table.moc"
