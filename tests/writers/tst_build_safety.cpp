#include "build_fixture.h"
#include "corrupting_volume.h"
#include "platform/delay.h"
#include "platform/directory_volume.h"
#include "platform/image_volume.h"
#include "platform/mtools.h"
#include "small_disk.h"

#include <QRegularExpression>
#include <QtTest>

// A diskette the build calls complete is complete: files that do not fit are refused before
// anything is written, a copy that fails ends the run as cancelled, what was written is read back,
// and a template that cannot serve makes no image. Each against an image and a directory drive; the
// command line's tests add a folder in a file's way and builds from a template.
class TestBuildSafety : public QObject {
    Q_OBJECT

    // Drive A: as the row asks: "image" (blank, made now), "fresh image" (not there yet),
    // "directory" or "small directory" (a real file system of `bytes`, system files on it).
    std::unique_ptr<SmallDisk> m_small;
    QString prepare(BuildFixture& f, const QString& kind, qint64 bytes = 256 * 1024) {
        if (kind == "directory")
            return f.disk;
        if (kind == "small directory") {
            m_small = std::make_unique<SmallDisk>(f.disk, bytes);
            if (!m_small->ok())
                return {};
            for (const char* name : {"himem.sys", "emm386.exe", "command.com"})
                BuildFixture::putSource(f.disk + "/" + name, "system file");
            return f.disk;
        }
        const QString image = f.tmp.filePath("A.img");
        if (kind == "image" && !TestEnv::makeBlankImage(image))
            return {};
        return image;
    }
    // The root folder's entries, folders too (TestEnv::imageFiles lists files only).
    QStringList rootEntries(const QString& image) {
        QByteArray listing;
        TestEnv::run("mdir", {"-b", "-i", image, "::"}, &listing);
        return QString::fromLocal8Bit(listing).toUpper().split('\n', Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void initTestCase() { setDelayPacing(0); }
    void cleanup() { m_small.reset(); }

    void fillsUpMidCopy_data();
    void fillsUpMidCopy();
    void doesNotFit_data();
    void doesNotFit();
    void replacedFilesMakeRoom();
    void rootDirectoryFull();
    void readBack_data();
    void readBack();
    void refusedTemplate_data();
    void refusedTemplate();
    void mtoolsProcesses_data();
    void mtoolsProcesses();
};

void TestBuildSafety::fillsUpMidCopy_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("image") << "image";
    QTest::newRow("directory") << "small directory";
}

// The files fit when the build starts; another program fills the diskette while the text files
// are written. The client's copy falls short, and the diskette is not called complete.
void TestBuildSafety::fillsUpMidCopy() {
    QFETCH(QString, kind);
    BuildFixture f;
    const QString a = prepare(f, kind);
    if (a.isEmpty())
        QSKIP("cannot make the diskette (mounting a file system needs root)");
    BuildFixture::putSource(f.client, QByteArray(40 * 1024, 'C'));
    f.view.onStatus = [&](const QString& status) {
        if (status != " Copying Pellacore Client file...")
            return;
        if (kind == "image") {
            // The build writes into its working copy beside the image: that is what fills up.
            const QString copy = BuildFixture::workingCopy(a);
            QVERIFY(!copy.isEmpty());
            QVERIFY(TestEnv::putIntoImage(copy, "FILLER.BIN", TestEnv::imageFreeBytes(copy)));
            return;
        }
        QFile filler(a + "/filler.bin");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'F')) == 4096 && filler.flush()) {
        }
    };
    f.mount(a);
    QCOMPARE(f.build(1), Dialogs::Button::Yes);

    QCOMPARE(f.dialogs.texts().mid(f.dialogs.texts().size() - 2),
             (QStringList{"A:\\client.exe File write error! \rno space left on the diskette", kCanceled}));
    QCOMPARE(f.run->failedFile(), QStringLiteral("A:\\client.exe"));
    QVERIFY(!f.view.statuses.contains(" Copying NIC Driver..."));
    if (kind == "image") {
        // The failed build leaves the diskette as it was, and no working copy beside it.
        QVERIFY(TestEnv::fsckClean(a));
        QCOMPARE(rootEntries(a), QStringList{});
        QCOMPARE(QFileInfo(a).dir().entryList(QDir::Files | QDir::Hidden), QStringList{"A.img"});
    }
}

void TestBuildSafety::doesNotFit_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("client");
    QTest::addColumn<qint64>("free"); // what the message must say; -1: whatever the disk has
    QTest::newRow("fresh image") << "fresh image" << qint64(1455000) << qint64(1457664);
    QTest::newRow("blank image") << "image" << qint64(1455000) << qint64(1457664);
    QTest::newRow("directory") << "small directory" << qint64(300 * 1024) << qint64(-1);
}

// Refused before anything of the diskette's own files is written, with the sizes in the message.
void TestBuildSafety::doesNotFit() {
    QFETCH(QString, kind);
    QFETCH(qint64, client);
    QFETCH(qint64, free);
    BuildFixture f;
    const QString a = prepare(f, kind);
    if (a.isEmpty())
        QSKIP("cannot make the diskette (mounting a file system needs root)");
    BuildFixture::putSource(f.client, QByteArray(client, 'C'));
    f.mount(a);
    f.build(1);

    const QStringList texts = f.dialogs.texts();
    QCOMPARE(texts.last(), kCanceled);
    static const QRegularExpression refusal("^The files for this diskette do not fit on it: they need (\\d+) "
                                            "bytes, the diskette in A: has (\\d+) bytes free; the largest "
                                            "is (.+) \\((\\d+) bytes\\)\\.  Creation can not proceed\\.$");
    const QRegularExpressionMatch m = refusal.match(texts.at(texts.size() - 2));
    QVERIFY2(m.hasMatch(), qPrintable(texts.join('|')));
    QVERIFY(m.captured(1).toLongLong() > m.captured(2).toLongLong());
    QVERIFY(m.captured(1).toLongLong() >= client);
    if (free >= 0)
        QCOMPARE(m.captured(2).toLongLong(), free);
    QCOMPARE(m.captured(3), QStringLiteral("A:\\client.exe"));
    QCOMPARE(m.captured(4).toLongLong(), client);
    QVERIFY(f.run->failedFile().isEmpty()); // refused, not failed: the command line exits 1
    QVERIFY(!f.view.statuses.contains(" Creating CONFIG.SYS..."));
    if (kind == "small directory")
        QCOMPARE(f.builtFiles(), QStringList{});
    else if (kind == "fresh image")
        QVERIFY(!QFileInfo::exists(a)); // a refused build makes no image at all
    else
        QCOMPARE(rootEntries(a), QStringList{});
}

// A diskette full of the last build's files takes the next build: the files it replaces count.
void TestBuildSafety::replacedFilesMakeRoom() {
    BuildFixture f;
    const QString image = f.tmp.filePath("A.img");
    BuildFixture::putSource(f.client, QByteArray(1400 * 1024, 'C'));
    f.mount(image);
    QCOMPARE(f.build(1), Dialogs::Button::Yes);
    QCOMPARE(f.dialogs.texts().last(), kComplete);
    QVERIFY(TestEnv::imageFreeBytes(image) < 1400 * 1024);

    BuildFixture::putSource(f.client, QByteArray(1400 * 1024, 'D'));
    f.dialogs.clear();
    f.mount(image);
    f.build(1);
    QCOMPARE(f.dialogs.texts().size(), 4); // the system-file warnings, then the question
    QCOMPARE(f.dialogs.texts().last(), kComplete);
    QCOMPARE(TestEnv::mtype(image, "::/client.exe"), QByteArray(1400 * 1024, 'D'));
}

void TestBuildSafety::rootDirectoryFull() {
    BuildFixture f;
    const QString image = prepare(f, "image");
    // 220 of the 224 root entries taken: space enough, entries not.
    QStringList args{"-i", image};
    for (int i = 0; i < 220; ++i) {
        const QString host = f.tmp.filePath(QStringLiteral("fill/F%1.TXT").arg(i));
        BuildFixture::putSource(host, "x");
        args << host;
    }
    QCOMPARE(TestEnv::run("mcopy", args + QStringList{"::/"}), 0);
    f.mount(image);
    f.build(1);
    QCOMPARE(
        f.dialogs.texts().mid(f.dialogs.texts().size() - 2),
        (QStringList{"The files for this diskette do not fit on it: they need 10 entries in its root folder, "
                     "the diskette in A: has 4 free.  Creation can not proceed.",
                     kCanceled}));
    QVERIFY(!TestEnv::imageFiles(image).contains("::/CONFIG.SYS"));
}

void TestBuildSafety::readBack_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("verify");
    QTest::newRow("image") << "image" << true;
    QTest::newRow("directory") << "directory" << true;
    QTest::newRow("image, Verify=0") << "image" << false;
    QTest::newRow("directory, Verify=0") << "directory" << false;
}

// A file that reads back other than it was written ends the run naming it; with verification
// switched off in PCBW.INI nothing is read back.
void TestBuildSafety::readBack() {
    QFETCH(QString, kind);
    QFETCH(bool, verify);
    BuildFixture f;
    const QString a = prepare(f, kind);
    if (!verify)
        f.setLocations("[LOCATIONS]\r\nNICDriverPath=" + f.nics + "\r\n[OPTIONS]\r\nVerify=0\r\n");
    f.mount(a);
    auto* corrupting =
        new CorruptingVolume(kind == "image" ? std::unique_ptr<Volume>(new ImageVolume(a, false))
                                             : std::unique_ptr<Volume>(new DirectoryVolume(a)),
                             "NE2000.DOS");
    f.fs->mount('A', std::unique_ptr<Volume>(corrupting));
    f.build(1);

    QCOMPARE(f.view.statuses.contains(" Verifying diskette..."), verify);
    QCOMPARE(corrupting->corrupted, verify ? 1 : 0);
    if (!verify) {
        QCOMPARE(f.dialogs.texts().last(), kComplete);
        return;
    }
    QCOMPARE(f.view.statuses.mid(f.view.statuses.size() - 2),
             (QStringList{" Verifying diskette...", "Done. "}));
    QCOMPARE(f.dialogs.texts().mid(f.dialogs.texts().size() - 2),
             (QStringList{"A:\\NE2000.DOS File write error! \rwhat the diskette holds differs from what was "
                          "written to it",
                          kCanceled}));
    QCOMPARE(f.run->failedFile(), QStringLiteral("A:\\NE2000.DOS"));
}

void TestBuildSafety::refusedTemplate_data() {
    QTest::addColumn<QByteArray>("contents"); // empty: the template does not exist
    QTest::addColumn<QString>("problem");
    QTest::newRow("missing") << QByteArray() << "does not exist";
    QTest::newRow("720 KB") << QByteArray(737280, '\0') << "is 737,280 bytes, not the 1,474,560";
    QTest::newRow("no FAT12") << QByteArray(1474560, '\0') << "holds no FAT12 diskette";
}

void TestBuildSafety::refusedTemplate() {
    QFETCH(QByteArray, contents);
    QFETCH(QString, problem);
    BuildFixture f;
    const QString tpl = f.tmp.filePath("dos.img");
    if (!contents.isEmpty())
        BuildFixture::putSource(tpl, contents);
    const QString image = f.tmp.filePath("A.img");
    f.mount(image, tpl);
    f.build(1);
    const QStringList texts = f.dialogs.texts();
    QCOMPARE(texts.size(), 2);
    QVERIFY2(
        texts.first().startsWith("The diskette in A: is to be made from a template that cannot be used: "),
        qPrintable(texts.first()));
    QVERIFY2(texts.first().contains(problem), qPrintable(texts.first()));
    QVERIFY(texts.first().endsWith(".  Creation can not proceed."));
    QCOMPARE(texts.last(), kCanceled);
    QVERIFY(!QFileInfo::exists(image)); // not even the write test made it
}

void TestBuildSafety::mtoolsProcesses_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("verify");
    QTest::addColumn<int>("most");
    // Formatting, one listing, the probe file and its deletion, one mcopy per file, one read-back.
    QTest::newRow("multicast") << 1 << true << 15;
    QTest::newRow("multicast, no read-back") << 1 << false << 14;
    QTest::newRow("no network") << 4 << true << 8;
}

// What a build onto a fresh image costs in mtools processes: each directory listed once, no call
// that cannot matter.
void TestBuildSafety::mtoolsProcesses() {
    QFETCH(int, mode);
    QFETCH(bool, verify);
    QFETCH(int, most);
    BuildFixture f;
    f.mount(f.tmp.filePath("A.img"));
    f.settings.setBuildMode(BuildMode(mode));
    f.run->FormShow(f.settings, f.prog);
    f.run->setVerify(verify);
    const quint64 before = Mtools::processCount();
    f.run->MakeTheDisk();
    QCOMPARE(f.dialogs.texts().last(), kComplete);
    const quint64 used = Mtools::processCount() - before;
    QVERIFY2(used <= quint64(most), qPrintable(QString::number(used)));
}

QTEST_GUILESS_MAIN(TestBuildSafety)
#include "tst_build_safety.moc"
