#include "platform/boot_sector.h"
#include "platform/fat_image.h"
#include "platform/image_checks.h"
#include "test_env.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A boot sector as mformat -f 1440 writes it, with the fields a row changes.
QByteArray sector(int bytesPerSector = 512, int totalSectors = 2880, int sectorsPerFat = 9,
                  int media = 0xF0) {
    QByteArray boot(512, '\0');
    const auto put16 = [&boot](int at, int value) {
        boot[at] = char(value & 0xFF);
        boot[at + 1] = char(value >> 8);
    };
    put16(11, bytesPerSector);
    boot[13] = 1; // sectors per cluster
    put16(14, 1); // reserved
    boot[16] = 2; // FATs
    put16(17, 224);
    put16(19, totalSectors & 0xFFFF);
    boot[21] = char(media);
    put16(22, sectorsPerFat);
    boot[510] = char(0x55);
    boot[511] = char(0xAA);
    return boot;
}

} // namespace

// The one reader of boot sectors, and its callers on the build path (the diskette check) and on the
// template and free-space path: the same verdict on the same bytes.
class TestBootSector : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsOnlyA1440KDisketteLayout_data();
    void readsOnlyA1440KDisketteLayout();
    void blankImageIsTheDisketteMformatMakes();
    void copyOfUsedRegionsHoldsTheSameFiles();
};

void TestBootSector::readsOnlyA1440KDisketteLayout_data() {
    QTest::addColumn<QByteArray>("boot");
    QTest::addColumn<QString>("problem"); // empty: it reads as a FAT12 diskette
    const QString notFat = QStringLiteral("it does not begin with the boot sector of a FAT file system");
    QTest::newRow("1.44 MB diskette") << sector() << QString();
    QTest::newRow("256-byte sectors") << sector(256) << notFat;
    QTest::newRow("128-byte sectors") << sector(128) << notFat;
    QTest::newRow("sector size no power of two") << sector(768) << notFat;
    QTest::newRow("media byte 0xF7") << sector(512, 2880, 9, 0xF7) << notFat;
    QTest::newRow("truncated") << sector().left(100)
                               << QStringLiteral("it is 100 bytes long, too short for a diskette");
    QTest::newRow("FAT16 cluster count")
        << sector(512, 40000, 9)
        << QStringLiteral("it holds a FAT16 or FAT32 file system, not the FAT12 "
                          "of a diskette");
    QTest::newRow("no room for files")
        << sector(512, 30) << QStringLiteral("its boot sector describes no room for files");
    QTest::newRow("FAT too small") << sector(512, 2880, 1)
                                   << QStringLiteral("its FAT is too small for the clusters its boot sector "
                                                     "describes");
}

void TestBootSector::readsOnlyA1440KDisketteLayout() {
    QFETCH(QByteArray, boot);
    QFETCH(QString, problem);
    const BootSector read = BootSector::read(boot);
    QCOMPARE(read.problem, problem);
    QCOMPARE(read.layout.has_value(), problem.isEmpty());
    if (read.layout)
        QCOMPARE(read.layout->clusterBytes() * read.layout->clusterCount,
                 FatImage::blankDiskette().freeBytes);

    QTemporaryDir tmp;
    const QString image = tmp.filePath(QStringLiteral("A.img"));
    TestEnv::writeHostFile(image, boot.size() < 512 ? boot : boot + QByteArray(1474560 - boot.size(), '\0'));
    const DisketteCheck check = ImageChecks::check(image, false, image);
    QCOMPARE(check.refusal.isEmpty(), problem.isEmpty());
    QVERIFY2(check.refusal.contains(problem), qPrintable(check.refusal));
    QCOMPARE(FatImage::templateProblem(image).isEmpty(), problem.isEmpty());
}

// A diskette formatted in the program: the layout, FATs and directories of mformat's, its own serial
// number, and sound to fsck.fat and mtools alike.
void TestBootSector::blankImageIsTheDisketteMformatMakes() {
    QTemporaryDir tmp;
    const QString ours = tmp.filePath(QStringLiteral("ours.img"));
    const QString theirs = tmp.filePath(QStringLiteral("theirs.img"));
    QByteArray blank = FatImage::blankSystemArea(0x12345678);
    blank.append(QByteArray(1474560 - blank.size(), '\0'));
    TestEnv::writeHostFile(ours, blank);
    QVERIFY(TestEnv::makeBlankImage(theirs));
    const QByteArray mformat = TestEnv::readHostFile(theirs);
    QCOMPARE(blank.size(), mformat.size());
    // The parameter block and the label, then everything after the boot sector.
    QCOMPARE(blank.mid(11, 27), mformat.mid(11, 27));
    QCOMPARE(blank.mid(43, 19), mformat.mid(43, 19));
    QCOMPARE(blank.mid(510), mformat.mid(510));
    QCOMPARE(blank.mid(39, 4), QByteArray("\x78\x56\x34\x12", 4));
    QByteArray report;
    QVERIFY2(TestEnv::fsckClean(ours, &report), report.constData());
    QVERIFY(TestEnv::imageFiles(ours).isEmpty());
    QVERIFY(TestEnv::putIntoImage(ours, QStringLiteral("CLIENT.EXE"), 120000));
    QCOMPARE(TestEnv::imageFreeBytes(ours), FatImage::blankDiskette().freeBytes - 120320);
}

// A later diskette starts from the used parts of the first: its files stay, a deleted file's data
// in free clusters does not, and something that is no diskette is copied whole.
void TestBootSector::copyOfUsedRegionsHoldsTheSameFiles() {
    QTemporaryDir tmp;
    const QString image = tmp.filePath(QStringLiteral("A.img"));
    QVERIFY(TestEnv::makeBlankImage(image));
    QVERIFY(TestEnv::putIntoImage(image, QStringLiteral("GONE.EXE"), 3000));
    QVERIFY(TestEnv::putIntoImage(image, QStringLiteral("KEPT.EXE"), 1200));
    QCOMPARE(TestEnv::run(QStringLiteral("mdel"), {"-i", image, "::/GONE.EXE"}), 0);
    const QByteArray original = TestEnv::readHostFile(image);

    const QList<QPair<qint64, qint64>> runs = FatImage::usedRegions(original);
    const qint64 data = 33 * 512, kept = data + 6 * 512; // GONE.EXE took clusters 2 to 7
    QCOMPARE(runs, (QList<QPair<qint64, qint64>>{{0, data}, {kept, 3 * 512}}));
    QByteArray copy(original.size(), '\0');
    for (const auto& [at, length] : runs)
        copy.replace(at, length, original.mid(at, length));
    TestEnv::writeHostFile(image, copy);
    QVERIFY(TestEnv::fsckClean(image));
    QCOMPARE(TestEnv::imageFiles(image), QStringList{"::/KEPT.EXE"});
    QCOMPARE(TestEnv::mtype(image, "::/KEPT.EXE"), original.mid(kept, 1200));
    QVERIFY(copy.mid(data, 6 * 512) != original.mid(data, 6 * 512));

    QCOMPARE(FatImage::usedRegions(original.left(5000)), (QList<QPair<qint64, qint64>>{{0, 5000}}));
    // A root directory of 209 entries ends inside its last sector; the clusters begin after it.
    QByteArray odd = original;
    odd[17] = char(209);
    QCOMPARE(FatImage::usedRegions(odd), runs);
}

QTEST_GUILESS_MAIN(TestBootSector)
#include "tst_boot_sector.moc"
