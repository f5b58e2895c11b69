#include "platform/regular_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

// What stands under a name decides whether a byte is read: only a regular file of bounded size is.
class TestRegularFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsOnlyRegularFiles_data();
    void readsOnlyRegularFiles();
};

void TestRegularFile::readsOnlyRegularFiles_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QByteArray>("bytes");
    using O = RegularFileRead::Outcome;
    QTest::newRow("file at the limit") << "file16" << int(O::Read) << QByteArray(16, 'x');
    QTest::newRow("empty file") << "file0" << int(O::Read) << QByteArray();
    QTest::newRow("one byte over the limit") << "file17" << int(O::TooLarge) << QByteArray();
    QTest::newRow("missing") << "missing" << int(O::Missing) << QByteArray();
    QTest::newRow("folder") << "folder" << int(O::Folder) << QByteArray();
    QTest::newRow("fifo, which would wait for a writer") << "fifo" << int(O::NotRegular) << QByteArray();
    QTest::newRow("link to a device without end") << "zero" << int(O::NotRegular) << QByteArray();
}

void TestRegularFile::readsOnlyRegularFiles() {
    QFETCH(QString, kind);
    QFETCH(int, outcome);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(kind);
    if (kind.startsWith(QLatin1String("file"))) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(QByteArray(kind.mid(4).toInt(), 'x')), qint64(kind.mid(4).toInt()));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("zero")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    }
    const RegularFileRead read = readRegularFile(path, 16);
    QCOMPARE(int(read.outcome), outcome);
    QCOMPARE(read.bytes, bytes);
    if (read.outcome == RegularFileRead::Outcome::TooLarge)
        QCOMPARE(read.size, 17);
    if (read.outcome == RegularFileRead::Outcome::Missing)
        QVERIFY(!read.error.isEmpty());
}

QTEST_GUILESS_MAIN(TestRegularFile)
#include "tst_regular_file.moc"
