#include "platform/copy_file.h"
#include "platform/dos_fs.h"
#include "test_env.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QDateTime kStamp(QDate(2019, 11, 5), QTime(8, 9, 10));
const qint64 kBlankFree = 1457664; // free bytes of a blank 1.44 MB diskette

QByteArray randomBytes(qsizetype size) {
    QByteArray data(size, Qt::Uninitialized);
    for (char& c : data)
        c = char(QRandomGenerator::global()->bounded(256));
    return data;
}
} // namespace

// Drives A: and B: are images, C: and D: directories.
class TestCopyFile : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DosFs> m_fs;
    QString image(QChar drive) const { return m_dir->filePath(QString(drive) + ".img"); }
    static bool isImage(const QString& path) { return path[0].toUpper() == 'A' || path[0].toUpper() == 'B'; }
    void checkImages() {
        for (QChar drive : {QChar('A'), QChar('B')}) {
            QByteArray report;
            if (QFileInfo::exists(image(drive)))
                QVERIFY2(TestEnv::fsckClean(image(drive), &report), report.constData());
        }
    }

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        DriveTable drives;
        drives.map('A', image('A'));
        drives.map('B', image('B'));
        for (QChar drive : {QChar('C'), QChar('D')}) {
            QDir(m_dir->path()).mkdir(drive);
            drives.map(drive, m_dir->filePath(drive));
        }
        m_fs = std::make_unique<DosFs>(drives);
    }

    void copies_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("readOnlyTargetExists");
        for (const char* from : {"C:\\NE2000.DOS", "A:\\NE2000.DOS"}) {
            for (const char* to : {"d:\\Copy.dos", "b:\\copy.dos"}) {
                for (bool exists : {false, true}) {
                    const QString name =
                        QString("%1 -> %2%3").arg(from, to, exists ? ", over read-only" : "");
                    QTest::newRow(qPrintable(name)) << from << to << exists;
                }
            }
        }
        QTest::newRow("same image") << "A:\\NE2000.DOS"
                                    << "A:\\NET\\COPY.DOS" << true;
    }
    void copies() {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(bool, readOnlyTargetExists);
        const QByteArray data = randomBytes(2 * 40960 + 1234); // three blocks, the last one short
        if (target.contains("NET"))
            m_fs->makeDirectory("A:\\NET");
        m_fs->writeFile(source, data);
        m_fs->setFileTime(source, kStamp);
        m_fs->setAttributes(source, DosAttr::ReadOnly | DosAttr::Archive);
        if (readOnlyTargetExists) {
            m_fs->writeFile(target, randomBytes(100000));
            m_fs->setAttributes(target, DosAttr::ReadOnly | DosAttr::Archive);
        }

        QCOMPARE(CopyMyFile(*m_fs, source, target), 0);

        QCOMPARE(m_fs->readFile(target), data);
        QCOMPARE(m_fs->fileTime(target), kStamp);
        QCOMPARE(m_fs->attributes(target), quint8(DosAttr::ReadOnly | DosAttr::Archive));
        if (isImage(target)) {
            const QString inImage = "::/" + target.mid(3).replace('\\', '/').toUpper();
            QCOMPARE(TestEnv::mtype(image(target[0].toUpper()), inImage), data);
        } else {
            QCOMPARE(TestEnv::readHostFile(m_dir->filePath("D/Copy.dos")), data);
        }
        QCOMPARE(m_fs->readFile(source), data);
        checkImages();
    }

    void failures_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("missing source, directory") << "C:\\NOPE.DOS"
                                                   << "D:\\X.DOS";
        QTest::newRow("missing source, image") << "A:\\NOPE.DOS"
                                               << "D:\\X.DOS";
        QTest::newRow("missing source on a missing image") << "B:\\NOPE.DOS"
                                                           << "A:\\X.DOS";
        QTest::newRow("unmapped source drive") << "Q:\\NE2000.DOS"
                                               << "D:\\X.DOS";
        QTest::newRow("unmapped target drive") << "C:\\NE2000.DOS"
                                               << "Q:\\X.DOS";
        QTest::newRow("missing target directory") << "C:\\NE2000.DOS"
                                                  << "D:\\NOPE\\X.DOS";
        QTest::newRow("missing image directory") << "C:\\NE2000.DOS"
                                                 << "A:\\NOPE\\X.DOS";
    }
    void failures() {
        QFETCH(QString, source);
        QFETCH(QString, target);
        TestEnv::writeHostFile(m_dir->filePath("C/NE2000.DOS"), "driver");
        QCOMPARE(CopyMyFile(*m_fs, source, target), -1);
        QVERIFY(!m_fs->fileExists(target));
        QVERIFY(QDir(m_dir->filePath("D")).isEmpty());
        checkImages();
    }

    void ontoItself_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::newRow("directory, other spelling") << "C:\\NE2000.DOS"
                                                   << "c:/ne2000.dos.";
        QTest::newRow("drive and host path") << "C:\\NE2000.DOS"
                                             << "@C/NE2000.DOS";
        QTest::newRow("image, other spelling") << "A:\\NE2000.DOS"
                                               << "a:\\Ne2000.Dos";
    }
    void ontoItself() {
        QFETCH(QString, source);
        QFETCH(QString, target);
        if (target.startsWith('@'))
            target = m_dir->filePath(target.mid(1));
        const QByteArray data = randomBytes(50000);
        m_fs->writeFile(source, data);
        QCOMPARE(CopyMyFile(*m_fs, source, target), 0);
        QCOMPARE(m_fs->readFile(source), data);
        checkImages();
    }

    void shortWriteOnDirectory() {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("no /dev/full");
        QVERIFY(QFile::link("/dev/full", m_dir->filePath("D/FULL.DOS")));
        TestEnv::writeHostFile(m_dir->filePath("C/NE2000.DOS"), "driver");
        QCOMPARE(CopyMyFile(*m_fs, "C:\\NE2000.DOS", "D:\\full.dos"), 1);
    }

    // What fits stays on the diskette, as DOS leaves it, and the diskette stays sound. A short
    // write in the last block is as short as one in the first.
    void shortWriteOnImage_data() {
        QTest::addColumn<int>("size");
        QTest::newRow("short in the first block") << 50000;
        QTest::newRow("short in the last block") << 12000;
    }
    void shortWriteOnImage() {
        QFETCH(int, size);
        QVERIFY(TestEnv::makeBlankImage(image('B')));
        m_fs->writeFile("B:\\FILL.BIN", QByteArray(kBlankFree - 10240, 'f'));
        const QByteArray data = randomBytes(size);
        TestEnv::writeHostFile(m_dir->filePath("C/CLIENT.EXE"), data);
        QCOMPARE(CopyMyFile(*m_fs, "C:\\CLIENT.EXE", "B:\\CLIENT.EXE"), 1);
        QCOMPARE(TestEnv::mtype(image('B'), "::/CLIENT.EXE"), data.left(10240));
        checkImages();
    }

    void emptyFile() {
        TestEnv::writeHostFile(m_dir->filePath("C/EMPTY.TXT"), {});
        QCOMPARE(CopyMyFile(*m_fs, "C:\\EMPTY.TXT", "A:\\EMPTY.TXT"), 0);
        QVERIFY(m_fs->fileExists("A:\\EMPTY.TXT"));
        QCOMPARE(m_fs->readFile("A:\\EMPTY.TXT"), QByteArray());
        checkImages();
    }
};

QTEST_GUILESS_MAIN(TestCopyFile)
#include "tst_copy_file.moc"
