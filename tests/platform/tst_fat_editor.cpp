#include "platform/fat_editor.h"
#include "test_env.h"

#include <QTemporaryDir>
#include <QTest>

// The in-memory editor of a build's working copy, judged by mtools and fsck.fat: what it writes
// they read back exactly, what they wrote it reads exactly, and what it cannot do as they would it
// declines without touching the image.
class TestFatEditor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writesWhatMtoolsReads();
    void readsWhatMtoolsWrote();
    void keepsTheEndOfADirectory();
    void declinesWithoutChange_data();
    void declinesWithoutChange();
    void shortNames_data();
    void shortNames();

private:
    QByteArray bytes(int size, char seed) const;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_image;
};

QByteArray TestFatEditor::bytes(int size, char seed) const {
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char(seed + i * 7);
    return data;
}

void TestFatEditor::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_image = m_dir->filePath(QStringLiteral("a.img"));
    QVERIFY(TestEnv::makeBlankImage(m_image));
}

void TestFatEditor::writesWhatMtoolsReads() {
    std::unique_ptr<FatEditor> fat = FatEditor::load(m_image);
    QVERIFY(fat);
    const QDateTime stamp(QDate(2024, 3, 9), QTime(14, 27, 58));
    using O = FatEditor::Outcome;
    QCOMPARE(fat->write({"EMPTY.TXT"}, {}, stamp, 0x20), O::Done);
    QCOMPARE(fat->write({"gone.bin"}, bytes(3000, 'g'), stamp, 0x20), O::Done);
    QCOMPARE(fat->write({"BIG.EXE"}, bytes(1000, 'a'), stamp, 0x20), O::Done);
    QCOMPARE(fat->write({"big.exe"}, bytes(70000, 'b'), stamp, 0x20), O::Done); // replaced, grown
    QCOMPARE(fat->remove({"GONE.BIN"}), O::Done);
    QCOMPARE(fat->makeDirectory({"NET"}, stamp), O::Done);
    QCOMPARE(fat->makeDirectory({"net"}, stamp), O::Done); // there already
    // 20 entries and "." and ".." take a 512-byte directory cluster and part of a second.
    QStringList expected{"::/BIG.EXE", "::/EMPTY.TXT"};
    for (int i = 0; i < 20; ++i) {
        const QString name = QStringLiteral("F%1.DOS").arg(i);
        QCOMPARE(fat->write({"NET", name}, bytes(100 + i, char(i)), stamp, 0x20), O::Done);
        expected << QStringLiteral("::/NET/") + name;
    }
    QCOMPARE(fat->setAttributes({"EMPTY.TXT"}, 0x01), O::Done);
    QCOMPARE(fat->setStamp({"NET", "F3.DOS"}, QDateTime(QDate(2001, 1, 2), QTime(3, 4, 6))), O::Done);
    fat->save(m_image, m_image);
    QVERIFY(!fat->changed());

    QByteArray report;
    QVERIFY2(TestEnv::fsckClean(m_image, &report), report.constData());
    QStringList files = TestEnv::imageFiles(m_image);
    files.sort();
    expected.sort();
    QCOMPARE(files, expected);
    QCOMPARE(TestEnv::mtype(m_image, "::/BIG.EXE"), bytes(70000, 'b'));
    QCOMPARE(TestEnv::mtype(m_image, "::/NET/F19.DOS"), bytes(119, char(19)));
    QByteArray out;
    QCOMPARE(TestEnv::run("mattrib", {"-i", m_image, "::/EMPTY.TXT"}, &out), 0);
    QCOMPARE(out.simplified(), QByteArray("R ::/EMPTY.TXT"));
    QCOMPARE(TestEnv::run("mdir", {"-i", m_image, "::/NET/F3.DOS", "::/BIG.EXE"}, &out), 0);
    QVERIFY2(out.contains("2001-01-02   3:04") && out.contains("2024-03-09  14:27"), out.constData());
    QCOMPARE(TestEnv::imageFreeBytes(m_image), fat->freeBytes());
}

void TestFatEditor::readsWhatMtoolsWrote() {
    const QString host = m_dir->filePath(QStringLiteral("DRIVER.DOS"));
    TestEnv::writeHostFile(host, bytes(5000, 'd'));
    QCOMPARE(TestEnv::run("mmd", {"-i", m_image, "::/NICS"}), 0);
    QCOMPARE(TestEnv::run("mcopy", {"-i", m_image, host, "::/NICS/DRIVER.DOS"}), 0);
    const std::unique_ptr<FatEditor> fat = FatEditor::load(m_image);
    QVERIFY(fat);
    FatEditor::Outcome outcome = FatEditor::Outcome::Done;
    QCOMPARE(fat->read({"nics", "driver.dos."}, &outcome).value_or("none"), bytes(5000, 'd'));
    const FatEditor::Listing root = fat->list({});
    QVERIFY(root.supported && root.exists);
    QCOMPARE(root.entries.size(), 1);
    QVERIFY(root.entries[0].directory);
    QVERIFY(!fat->read({"NICS", "OTHER.DOS"}, &outcome));
    QCOMPARE(outcome, FatEditor::Outcome::Missing);
    QCOMPARE(fat->list({"NOPE"}).exists, false);
}

// Slots after the one that ends a directory count as free whatever they hold; filling the end
// moves it on, or the bytes behind it would read as entries.
void TestFatEditor::keepsTheEndOfADirectory() {
    QFile image(m_image);
    QVERIFY(image.open(QIODevice::ReadWrite) && image.seek(19 * 512 + 32));
    image.write(QByteArray("LEFTOVERBIN\x20", 12));
    image.close();
    std::unique_ptr<FatEditor> fat = FatEditor::load(m_image);
    QVERIFY(fat && fat->list({}).entries.isEmpty());
    QCOMPARE(fat->write({"A.TXT"}, "a", QDateTime::currentDateTime(), 0x20), FatEditor::Outcome::Done);
    fat->save(m_image, m_image);
    QCOMPARE(TestEnv::imageFiles(m_image), QStringList{"::/A.TXT"});
    QVERIFY(TestEnv::fsckClean(m_image));
}

void TestFatEditor::declinesWithoutChange_data() {
    QTest::addColumn<QString>("before"); // "long": a folder with a long name; "full": 224 files
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("outcome");
    using O = FatEditor::Outcome;
    QTest::newRow("long name") << ""
                               << "LONGNAME9.TXT" << 10 << int(O::Unsupported);
    QTest::newRow("four-letter extension") << ""
                                           << "A.TEXT" << 10 << int(O::Unsupported);
    QTest::newRow("blank in the name") << ""
                                       << "A B.TXT" << 10 << int(O::Unsupported);
    QTest::newRow("two dots") << ""
                              << "A.B.C" << 10 << int(O::Unsupported);
    QTest::newRow("device name") << ""
                                 << "AUX" << 10 << int(O::Unsupported);
    QTest::newRow("no such directory") << ""
                                       << "NONE/A.TXT" << 10 << int(O::Missing);
    QTest::newRow("more than the diskette") << ""
                                            << "HUGE.BIN" << 1500000 << int(O::NoSpace);
    QTest::newRow("beside a long name") << "long"
                                        << "A.TXT" << 10 << int(O::Unsupported);
    QTest::newRow("root directory full") << "full"
                                         << "ONEMORE.TXT" << 1 << int(O::DirectoryFull);
}

void TestFatEditor::declinesWithoutChange() {
    QFETCH(QString, before);
    QFETCH(QString, name);
    QFETCH(int, size);
    QFETCH(int, outcome);
    if (before == QLatin1String("long")) // as mtools writes it when long names are allowed
        QCOMPARE(TestEnv::run("env", {"-u", "MTOOLS_NO_VFAT", "mmd", "-i", m_image, "::/Long Folder"}), 0);
    for (int i = 0; before == QLatin1String("full") && i < 224; ++i)
        QVERIFY(TestEnv::putIntoImage(m_image, QStringLiteral("R%1").arg(i), 1));
    std::unique_ptr<FatEditor> fat = FatEditor::load(m_image);
    QVERIFY(fat);
    const QByteArray image = TestEnv::readHostFile(m_image);
    QCOMPARE(int(fat->write(name.split(u'/'), bytes(size, 'x'), QDateTime::currentDateTime(), 0x20)),
             outcome);
    QVERIFY(!fat->changed());
    fat->save(m_image, m_image);
    QCOMPARE(TestEnv::readHostFile(m_image), image);
}

void TestFatEditor::shortNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("entry"); // empty: the name needs a long name
    QTest::newRow("8.3") << "12345678.123" << QByteArray("12345678123");
    QTest::newRow("short parts") << "NAME.EX" << QByteArray("NAME    EX ");
    QTest::newRow("no extension") << "CLOCK" << QByteArray("CLOCK      ");
    QTest::newRow("DOS's signs") << "$~!#%&'(.)-@" << QByteArray("$~!#%&'()-@");
    QTest::newRow("lower case") << "name.txt" << QByteArray();
    QTest::newRow("dot at the end") << "NAME." << QByteArray();
    QTest::newRow("dot first") << ".TXT" << QByteArray();
    QTest::newRow("blank at the end") << "NAME " << QByteArray();
    QTest::newRow("blank before the dot") << "NAME .TXT" << QByteArray();
    QTest::newRow("accented") << QStringLiteral("CAF\u00C9.TXT") << QByteArray();
    QTest::newRow("not Latin-1") << QStringLiteral("\u0410.TXT") << QByteArray();
    QTest::newRow("device") << "CLOCK$" << QByteArray();
    QTest::newRow("device with extension") << "NUL.TXT" << QByteArray();
}

void TestFatEditor::shortNames() {
    QFETCH(QString, name);
    QFETCH(QByteArray, entry);
    QCOMPARE(FatEditor::shortName(name), entry);
}

QTEST_GUILESS_MAIN(TestFatEditor)
#include "tst_fat_editor.moc"
