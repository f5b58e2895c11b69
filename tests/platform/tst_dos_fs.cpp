#include "platform/dos_fs.h"
#include "platform/host_listings.h"
#include "platform/io_error.h"
#include "platform/mtools.h"
#include "platform/volume.h"
#include "test_env.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <optional>

namespace {
const QDateTime kStamp(QDate(2021, 6, 15), QTime(10, 20, 30));
}

// Drive A: is an image, C: a directory; both start empty.
class TestDosFs : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DosFs> m_fs;
    QString m_image;
    QString host(const QString& name) const { return m_dir->filePath("c/" + name); }

    void expectIoError(const std::function<void()>& action, const QString& part) {
        try {
            action();
            QFAIL("no IoError");
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains(part), qPrintable(e.message()));
        }
    }
    void checkImage() {
        QByteArray report;
        QVERIFY2(TestEnv::fsckClean(m_image, &report), report.constData());
    }

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir(m_dir->path()).mkdir("c");
        m_image = m_dir->filePath("A.img");
        DriveTable drives;
        drives.map('A', m_image);
        drives.map('C', m_dir->filePath("c"));
        m_fs = std::make_unique<DosFs>(drives);
    }

    void lookupIgnoresCaseAndTrailingDots_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("drive, upper case") << "C:\\NICS\\NE2000.DOS" << QByteArray("driver");
        QTest::newRow("drive, mixed") << "c:/Nics/Ne2000.Dos" << QByteArray("driver");
        QTest::newRow("drive, trailing dot") << "C:\\LMHOSTS." << QByteArray("hosts");
        QTest::newRow("host path, upper case") << "@NICS/NE2000.DOS" << QByteArray("driver");
        QTest::newRow("host path, trailing dots") << "@NICS./LMHOSTS." << QByteArray("nested");
        QTest::newRow("relative") << "NICS\\NE2000.DOS" << QByteArray("driver");
        QTest::newRow("first letter beyond ASCII") << "C:\\ÜBER.TXT" << QByteArray("umlaut");
        QTest::newRow("two spellings, the first in code-point order")
            << "C:\\NICS\\NETBIND.COM" << QByteArray("first");
    }
    void lookupIgnoresCaseAndTrailingDots() {
        QFETCH(QString, path);
        QFETCH(QByteArray, contents);
        TestEnv::writeHostFile(host("nics/ne2000.dos"), "driver");
        TestEnv::writeHostFile(host("nics/lmhosts"), "nested");
        TestEnv::writeHostFile(host("lmhosts"), "hosts");
        TestEnv::writeHostFile(host("nics/netbind.com"), "second");
        TestEnv::writeHostFile(host("nics/NetBind.com"), "first");
        TestEnv::writeHostFile(host("über.txt"), "umlaut");
        if (path.startsWith('@'))
            path = m_dir->path().toUpper() + "/C/" + path.mid(1);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(m_dir->filePath("c"));
        // Held listings must find what a look without them finds.
        for (const bool held : {false, true}) {
            std::optional<DosFs::ListingHold> hold;
            if (held)
                hold.emplace(*m_fs);
            const bool exists = m_fs->fileExists(path);
            const QByteArray read = exists ? m_fs->readFile(path) : QByteArray();
            QVERIFY(exists);
            QCOMPARE(read, contents);
            QVERIFY(m_fs->directoryExists("C:\\NICS"));
            QVERIFY(!m_fs->fileExists("C:\\NICS"));
        }
        QDir::setCurrent(previous);
    }

    void directoryWrites() {
        TestEnv::writeHostFile(host("lmhosts"), "old");
        m_fs->writeFile("C:\\LMHOSTS", "new");
        m_fs->writeFile("C:\\New.Txt", "x");
        QStringList names = QDir(host("")).entryList(QDir::Files);
        names.sort();
        QCOMPARE(names, QStringList({"New.Txt", "lmhosts"}));
        QCOMPARE(TestEnv::readHostFile(host("lmhosts")), QByteArray("new"));

        m_fs->makeDirectory("C:\\NET");
        m_fs->makeDirectory("c:\\net"); // exists already: no error
        m_fs->writeFile("C:\\net\\PROTOCOL.INI", "[x]");
        QCOMPARE(TestEnv::readHostFile(host("NET/PROTOCOL.INI")), QByteArray("[x]"));
        expectIoError([&] { m_fs->writeFile("C:\\NOPE\\X", "x"); }, "does not exist");
        expectIoError([&] { m_fs->makeDirectory("C:\\New.txt"); }, "a file of that name exists");

        m_fs->setFileTime("C:\\NEW.TXT", kStamp);
        QCOMPARE(QFileInfo(host("New.Txt")).lastModified(), kStamp);
        QCOMPARE(m_fs->fileTime("c:\\new.txt"), kStamp);

        m_fs->setAttributes("C:\\NEW.TXT", DosAttr::ReadOnly | DosAttr::Hidden);
        QVERIFY(!(QFileInfo(host("New.Txt")).permissions() & QFile::WriteOwner));
        QCOMPARE(m_fs->attributes("C:\\NEW.TXT"), quint8(DosAttr::ReadOnly | DosAttr::Archive));
        QCOMPARE(m_fs->attributesIfPresent("c:\\new.txt"),
                 std::optional<quint8>(DosAttr::ReadOnly | DosAttr::Archive));
        expectIoError([&] { m_fs->writeFile("C:\\NEW.TXT", "y"); }, "read-only");
        expectIoError([&] { m_fs->remove("C:\\NEW.TXT"); }, "read-only");
        m_fs->setAttributes("C:\\NEW.TXT", 0);
        m_fs->remove("C:\\NEW.TXT");
        QVERIFY(!QFileInfo::exists(host("New.Txt")));
        expectIoError([&] { m_fs->remove("C:\\NEW.TXT"); }, "no such file");
        QVERIFY(!m_fs->attributesIfPresent("C:\\NEW.TXT"));
    }

    void unmappedDrive() {
        QVERIFY(!m_fs->fileExists("Q:\\X"));
        QVERIFY(!m_fs->directoryExists("Q:\\"));
        expectIoError([&] { m_fs->writeFile("Q:\\X", "x"); }, "Cannot create Q:\\X: drive Q: is not mapped");
        expectIoError([&] { m_fs->readFile("q:x"); }, "drive Q: is not mapped");
    }

    void missingImageReadsEmpty() {
        QVERIFY(!m_fs->fileExists("A:\\HIMEM.SYS"));
        QVERIFY(m_fs->directoryExists("A:"));
        QVERIFY(!m_fs->directoryExists("A:\\NET"));
        expectIoError([&] { m_fs->readFile("A:\\HIMEM.SYS"); }, "the image does not exist yet");
        QVERIFY(!QFileInfo::exists(m_image));
        m_fs->writeFile("A:\\delete.me", {});
        QCOMPARE(QFileInfo(m_image).size(), 1474560);
        checkImage();
    }

    void imageWrites() {
        m_fs->writeFile("A:\\config.sys", "DEVICE=HIMEM.SYS\r\n");
        m_fs->writeFile("A:\\CONFIG.SYS", "FILES=30\r\n"); // the same file
        QByteArray listing;
        TestEnv::run("mdir", {"-i", m_image, "::/"}, &listing);
        QVERIFY2(listing.contains("CONFIG   SYS        10 "), listing.constData());
        QCOMPARE(TestEnv::mtype(m_image, "::/CONFIG.SYS"), QByteArray("FILES=30\r\n"));
        QCOMPARE(m_fs->readFile("a:/Config.Sys."), QByteArray("FILES=30\r\n"));

        m_fs->makeDirectory("A:\\net");
        m_fs->makeDirectory("A:\\NET");
        QVERIFY(m_fs->directoryExists("A:\\Net"));
        m_fs->writeFile("A:\\NET\\protocol.ini", "[PROTMAN]\r\n");
        QCOMPARE(TestEnv::mtype(m_image, "::/NET/PROTOCOL.INI"), QByteArray("[PROTMAN]\r\n"));
        expectIoError([&] { m_fs->writeFile("A:\\NOPE\\X", "x"); }, "the directory ::/NOPE does not exist");
        expectIoError([&] { m_fs->makeDirectory("A:\\CONFIG.SYS"); }, "a file of that name exists");

        m_fs->setFileTime("A:\\CONFIG.SYS", kStamp);
        QCOMPARE(m_fs->fileTime("A:\\config.sys"), kStamp);
        m_fs->setAttributes("A:\\CONFIG.SYS", DosAttr::ReadOnly | DosAttr::Hidden);
        QCOMPARE(m_fs->attributes("A:\\CONFIG.SYS"), quint8(DosAttr::ReadOnly | DosAttr::Hidden));
        m_fs->setFileTime("A:\\CONFIG.SYS", kStamp.addDays(1)); // keeps the attributes
        QCOMPARE(m_fs->attributes("A:\\CONFIG.SYS"), quint8(DosAttr::ReadOnly | DosAttr::Hidden));
        QCOMPARE(m_fs->fileTime("A:\\CONFIG.SYS"), kStamp.addDays(1));
        expectIoError([&] { m_fs->writeFile("A:\\CONFIG.SYS", "y"); }, "read-only");
        expectIoError([&] { m_fs->remove("A:\\CONFIG.SYS"); }, "CONFIG.SYS in the image " + m_image);
        QCOMPARE(TestEnv::mtype(m_image, "::/CONFIG.SYS"), QByteArray("FILES=30\r\n"));

        m_fs->setAttributes("A:\\CONFIG.SYS", DosAttr::Archive);
        m_fs->remove("A:\\config.sys");
        QVERIFY(!m_fs->fileExists("A:\\CONFIG.SYS"));
        checkImage();
    }

    // A full diskette takes what fits and no more, in whole clusters, the old file's included.
    void fullImage() {
        QVERIFY(TestEnv::makeBlankImage(m_image));
        m_fs->writeFile("A:\\OLD.TXT", QByteArray(1000, 'o'));                   // two clusters
        m_fs->writeFile("A:\\FILL.BIN", QByteArray(1457664 - 1024 - 4096, 'f')); // leaves 4096 free
        const std::unique_ptr<DosWriter> writer = m_fs->create("A:\\OLD.TXT");
        const QByteArray data(6000, 'n');
        QCOMPARE(writer->write(data.constData(), 3000), 3000);
        QCOMPARE(writer->write(data.constData(), 3000), 5120 - 3000);
        QCOMPARE(writer->write(data.constData(), 1), 0);
        writer->close();
        QCOMPARE(TestEnv::mtype(m_image, "::/OLD.TXT"), QByteArray(5120, 'n'));
        expectIoError([&] { m_fs->writeFile("A:\\MORE.TXT", "x"); },
                      "the disk is full (0 of 1 bytes written)");
        checkImage();
    }

    // A build's new files wait and go in one directory at a time: what fits, what is refused and
    // where, and what the diskette holds afterwards are as when each file goes in at once.
    void queuedWritesMatchImmediateOnes_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("freeClusters"); // left by the filler
        QTest::addColumn<int>("files");        // of one cluster each
        QTest::addColumn<bool>("madeByBuild"); // the folder is made in the build, not before
        QTest::newRow("root fills up") << "" << 6 << 8 << false;
        QTest::newRow("folder grows past its cluster") << "NET\\" << 18 << 20 << false;
        QTest::newRow("folder made by the build grows") << "NET\\" << 18 << 20 << true;
    }
    void queuedWritesMatchImmediateOnes() {
        QFETCH(QString, folder);
        QFETCH(int, freeClusters);
        QFETCH(int, files);
        QFETCH(bool, madeByBuild);
        QStringList outcome[2];
        qint64 freeAfter[2] = {};
        quint64 processes[2] = {};
        for (const int queued : {0, 1}) {
            QFile::remove(m_image);
            QVERIFY(TestEnv::makeBlankImage(m_image));
            if (!folder.isEmpty() && !madeByBuild)
                m_fs->makeDirectory("A:\\" + folder);
            m_fs->writeFile("A:\\FILL.BIN", QByteArray((2847 - freeClusters - !folder.isEmpty()) * 512, 'f'));
            const quint64 start = Mtools::processCount();
            {
                DosFs::ListingHold hold(*m_fs);
                std::unique_ptr<DosFs::DisketteWork> work;
                if (queued)
                    work = std::make_unique<DosFs::DisketteWork>(*m_fs, "A:\\");
                if (madeByBuild)
                    m_fs->makeDirectory("A:\\" + folder);
                for (int i = 0; i < files; ++i) {
                    try {
                        m_fs->writeFile(QStringLiteral("A:\\%1F%2.TXT").arg(folder).arg(i),
                                        QByteArray(300, char('a' + i)));
                        outcome[queued] << "written";
                    } catch (const IoError& e) {
                        outcome[queued] << e.message();
                    }
                }
                const QList<ReadBack> back = m_fs->readBack({QStringLiteral("A:\\%1F0.TXT").arg(folder)});
                QCOMPARE(back.value(0).data, QByteArray(300, 'a'));
                if (work)
                    work->commit();
            }
            processes[queued] = Mtools::processCount() - start;
            freeAfter[queued] = TestEnv::imageFreeBytes(m_image);
            checkImage();
        }
        QCOMPARE(outcome[1], outcome[0]);
        QVERIFY2(outcome[0].contains("written") && outcome[0].last() != "written",
                 qPrintable(outcome[0].join('|')));
        QCOMPARE(freeAfter[1], freeAfter[0]);
        QVERIFY2(processes[1] * 2 < processes[0], qPrintable(QString::number(processes[1])));
    }

    // Two files written at once cannot both have the free space: the second is refused whole,
    // and the file it was to replace keeps its contents.
    void concurrentWritersKeepOldFile() {
        QVERIFY(TestEnv::makeBlankImage(m_image));
        m_fs->writeFile("A:\\KEEP.TXT", "precious");
        const std::unique_ptr<DosWriter> first = m_fs->create("A:\\BIG.BIN");
        const std::unique_ptr<DosWriter> second = m_fs->create("A:\\KEEP.TXT");
        const QByteArray big(1457664 - 512, 'b');
        QCOMPARE(first->write(big.constData(), big.size()), big.size());
        const QByteArray replacement(2048, 'r');
        QCOMPARE(second->write(replacement.constData(), replacement.size()), replacement.size());
        first->close();
        expectIoError([&] { second->close(); }, "the diskette is full; the file was not changed");
        QCOMPARE(TestEnv::mtype(m_image, "::/KEEP.TXT"), QByteArray("precious"));
        checkImage();
    }

    void mtoolsErrorsNameTheImage() {
        TestEnv::writeHostFile(m_image, QByteArray(4096, 'x'));
        expectIoError([&] { m_fs->fileExists("A:\\X"); }, "in the image " + m_image + ": ");
    }

    void missingMtoolsIsExplained() {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_dir->filePath("nothing").toLocal8Bit());
        QString message;
        try {
            m_fs->writeFile("A:\\X", "x");
        } catch (const IoError& e) {
            message = e.message();
        }
        qputenv("PATH", path);
        QVERIFY2(message.startsWith("mtools is not installed; install the Debian package mtools"),
                 qPrintable(message));
        QVERIFY(message.contains(m_image));
    }

    // What stood in a file's way, for the build to say in words; on the image and the directory.
    void problems_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("problem");
        using P = IoError::Problem;
        QTest::newRow("image, folder") << "A:\\NE2000.DOS"
                                       << "folder" << int(P::FolderInTheWay);
        QTest::newRow("directory, folder") << "C:\\NE2000.DOS"
                                           << "folder" << int(P::FolderInTheWay);
        QTest::newRow("image, read-only file") << "A:\\NE2000.DOS"
                                               << "read-only" << int(P::ReadOnlyFile);
        QTest::newRow("directory, read-only file") << "C:\\NE2000.DOS"
                                                   << "read-only" << int(P::ReadOnlyFile);
        QTest::newRow("image, root full") << "A:\\NE2000.DOS"
                                          << "root full" << int(P::DirectoryFull);
        QTest::newRow("image, write-protected") << "A:\\NE2000.DOS"
                                                << "immutable" << int(P::WriteProtected);
        QTest::newRow("directory, write-protected") << "C:\\NE2000.DOS"
                                                    << "immutable" << int(P::WriteProtected);
    }
    void problems() {
        QFETCH(QString, path);
        QFETCH(QString, setup);
        QFETCH(int, problem);
        const bool image = path.startsWith('A');
        QVERIFY(TestEnv::makeBlankImage(m_image));
        const QString holder = image ? m_image : m_dir->filePath("c");
        if (setup == "folder")
            m_fs->makeDirectory(path);
        if (setup == "read-only") {
            m_fs->writeFile(path, "old");
            m_fs->setAttributes(path, DosAttr::ReadOnly);
        }
        if (setup == "root full") {
            QStringList args{"-i", m_image};
            for (int i = 0; i < 224; ++i) {
                args << m_dir->filePath(QStringLiteral("f/F%1").arg(i));
                TestEnv::writeHostFile(args.last(), "");
            }
            QCOMPARE(TestEnv::run("mcopy", args << "::/"), 0);
        }
        if (setup == "immutable" && TestEnv::run("chattr", {"+i", holder}) != 0)
            QSKIP("chattr +i is not allowed here");
        IoError::Problem got = IoError::Problem::Other;
        try {
            m_fs->writeFile(path, "new");
        } catch (const IoError& e) {
            got = e.problem();
        }
        if (setup == "immutable")
            TestEnv::run("chattr", {"-i", holder});
        QCOMPARE(int(got), problem);
    }

    // Held, a directory is listed once; the holder's own writes keep the listing true, and a
    // change by another program is seen all the same.
    void listingHold() {
        QVERIFY(TestEnv::makeBlankImage(m_image));
        m_fs->writeFile("A:\\OLD.TXT", "old");
        {
            const DosFs::ListingHold hold(*m_fs);
            const quint64 start = Mtools::processCount();
            for (int i = 0; i < 10; ++i) {
                QVERIFY(m_fs->fileExists("A:\\OLD.TXT"));
                QCOMPARE(m_fs->fileSize("A:\\old.txt"), 3);
                QVERIFY(!m_fs->fileExists("A:\\NET\\P.INI"));
            }
            QCOMPARE(Mtools::processCount() - start, quint64(1));

            m_fs->makeDirectory("A:\\NET");
            m_fs->writeFile("A:\\NET\\P.INI", "12345");
            m_fs->writeFile("A:\\OLD.TXT", "longer now");
            m_fs->remove("A:\\OLD.TXT");
            m_fs->writeFile("A:\\OLD.TXT", "again");
            const quint64 written = Mtools::processCount();
            QCOMPARE(m_fs->fileSize("A:\\NET\\P.INI"), 5);
            QCOMPARE(m_fs->fileSize("A:\\OLD.TXT"), 5);
            QVERIFY(m_fs->directoryExists("A:\\NET"));
            QCOMPARE(Mtools::processCount(), written);

            QVERIFY(TestEnv::putIntoImage(m_image, "OUTSIDE.TXT", 10));
            QCOMPARE(m_fs->fileSize("A:\\OUTSIDE.TXT"), 10);
        }
        QCOMPARE(TestEnv::mtype(m_image, "::/NET/P.INI"), QByteArray("12345"));
        QCOMPARE(TestEnv::mtype(m_image, "::/OLD.TXT"), QByteArray("again"));
        // Not held: every question is asked anew.
        const quint64 start = Mtools::processCount();
        m_fs->fileExists("A:\\OLD.TXT");
        m_fs->fileExists("A:\\OLD.TXT");
        QCOMPARE(Mtools::processCount() - start, quint64(2));
        checkImage();
    }

    // Held, a folder is listed once; the holder's own writes keep the listing true, and a change by
    // another program (which the folder's times show) is seen all the same.
    void folderListingHold() {
        TestEnv::writeHostFile(host("Old.txt"), "old");
        {
            const DosFs::ListingHold hold(*m_fs);
            const quint64 start = HostListings::readCount();
            for (int i = 0; i < 10; ++i) {
                QCOMPARE(m_fs->fileSize("C:\\OLD.TXT"), 3);
                QVERIFY(!m_fs->fileExists("C:\\NEW.TXT"));
            }
            QCOMPARE(HostListings::readCount() - start, quint64(1));

            m_fs->makeDirectory("C:\\NET");
            m_fs->writeFile("C:\\NET\\P.INI", "12345");
            m_fs->replaceFile("C:\\new.txt", "replaced");
            m_fs->remove("C:\\OLD.TXT");
            QCOMPARE(m_fs->fileSize("C:\\net\\p.ini"), 5);
            QCOMPARE(m_fs->fileSize("C:\\NEW.TXT"), 8);
            QVERIFY(!m_fs->fileExists("C:\\old.txt"));
            QCOMPARE(HostListings::readCount() - start, quint64(1));

            // The host tree's volume, first used within the hold, keeps its listings too.
            // Its path passes through /tmp, which other processes change at any time: the second
            // look lists nothing anew at least once in three.
            const QString upper = m_dir->path().toUpper() + "/C/NET/P.INI";
            bool kept = false;
            for (int attempt = 0; attempt < 3 && !kept; ++attempt) {
                QCOMPARE(m_fs->fileSize(upper), 5);
                const quint64 listed = HostListings::readCount();
                QCOMPARE(m_fs->fileSize(upper), 5);
                kept = HostListings::readCount() == listed;
            }
            QVERIFY(kept);

            QThread::msleep(20); // past the file system's clock step
            TestEnv::writeHostFile(host("outside.txt"), "0123456789");
            QCOMPARE(m_fs->fileSize("C:\\OUTSIDE.TXT"), 10);
        }
        // Not held: every look lists anew.
        const quint64 start = HostListings::readCount();
        m_fs->fileExists("C:\\NET\\Q.INI");
        m_fs->fileExists("C:\\NET\\Q.INI");
        QCOMPARE(HostListings::readCount() - start, quint64(2));
    }

    void readBack_data() {
        QTest::addColumn<QString>("drive");
        QTest::addColumn<int>("mtools");     // processes the read-back takes
        QTest::newRow("image") << "A:" << 2; // two files share a name: two passes
        QTest::newRow("directory") << "C:" << 0;
    }
    void readBack() {
        QFETCH(QString, drive);
        QFETCH(int, mtools);
        const QStringList paths{drive + "\\ROOT.TXT", drive + "\\NET\\ROOT.TXT", drive + "\\NET\\P.INI",
                                drive + "\\NONE.TXT"};
        m_fs->makeDirectory(drive + "\\NET");
        for (int i = 0; i < 3; ++i)
            m_fs->writeFile(paths[i], QByteArray::number(i) + QByteArray(i * 700, 'x'));
        const quint64 start = Mtools::processCount();
        const QList<ReadBack> read = m_fs->readBack(paths);
        QCOMPARE(Mtools::processCount() - start, quint64(mtools));
        QCOMPARE(read.size(), 4);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(read[i].ok, qPrintable(read[i].error));
            QCOMPARE(read[i].data, QByteArray::number(i) + QByteArray(i * 700, 'x'));
        }
        QVERIFY(!read[3].ok);
        QVERIFY2(read[3].error.contains("NONE.TXT"), qPrintable(read[3].error));
    }

    // fsck.fat starts with the read-back and is taken up by the check after it; a write between
    // them stops it, so that the check reports the image as the write left it.
    void fileSystemCheckAfterReadBack() {
        QVERIFY(TestEnv::makeBlankImage(m_image));
        DosFs::DisketteWork work(*m_fs, "A:\\");
        m_fs->writeFile("A:\\ONE.TXT", "one");
        QCOMPARE(m_fs->readBack({"A:\\ONE.TXT"}).value(0).data, QByteArray("one"));
        QCOMPARE(m_fs->checkFileSystem("A:\\"), QString());

        QCOMPARE(m_fs->readBack({"A:\\ONE.TXT"}).value(0).data, QByteArray("one"));
        QThread::msleep(300); // the check started here has read the image as it was
        // The second FAT no longer matches the first: fsck.fat -n reports it.
        const QFileInfoList copies =
            QDir(m_dir->path()).entryInfoList({".A.img.bw-tmp.*"}, QDir::Files | QDir::Hidden);
        QCOMPARE(copies.size(), 1);
        QFile copy(copies.first().filePath());
        QVERIFY(copy.open(QIODevice::ReadWrite) && copy.seek(10 * 512 + 100) && copy.write("\x77", 1) == 1);
        copy.close();
        m_fs->writeFile("A:\\TWO.TXT", "two");
        const QString damage = m_fs->checkFileSystem("A:\\");
        QVERIFY2(damage.startsWith("fsck.fat -n found errors in the image " + m_image) &&
                     damage.contains("FATs differ"),
                 qPrintable(damage));
    }

    // Free space and root entries as the diskette has them, told without writing; a missing image
    // tells what a new one would have, from its template when there is one.
    void space() {
        VolumeSpace blank = m_fs->space("A:\\");
        QVERIFY(!QFileInfo::exists(m_image));
        QCOMPARE(blank.freeBytes, 1457664);
        QCOMPARE(blank.freeRootEntries, 224);
        QCOMPARE(blank.unit, 512);

        m_fs->writeFile("A:\\ONE.TXT", QByteArray(1000, 'x'));
        m_fs->makeDirectory("A:\\NET");
        for (int i = 0; i < 20; ++i) // the folder grows past its first cluster
            m_fs->writeFile(QStringLiteral("A:\\NET\\F%1.TXT").arg(i), QByteArray(600, 'y'));
        const VolumeSpace used = m_fs->space("A:\\");
        QCOMPARE(used.freeBytes, TestEnv::imageFreeBytes(m_image));
        QCOMPARE(used.freeRootEntries, 222);

        DriveTable drives;
        drives.map('B', m_dir->filePath("new.img"));
        drives.setTemplateImage(m_image);
        DosFs other(drives);
        QCOMPARE(other.space("B:\\").freeBytes, used.freeBytes);
        QVERIFY(!QFileInfo::exists(m_dir->filePath("new.img")));

        const VolumeSpace directory = m_fs->space("C:\\");
        QVERIFY(directory.freeBytes > 0);
        QCOMPARE(directory.freeRootEntries, -1);
    }

    void sameFile() {
        TestEnv::writeHostFile(host("ne2000.dos"), "d");
        QVERIFY(m_fs->sameFile("C:\\NE2000.DOS", m_dir->filePath("c/NE2000.dos")));
        QVERIFY(!m_fs->sameFile("C:\\NE2000.DOS", "C:\\OTHER.DOS"));
        m_fs->writeFile("A:\\NE2000.DOS", "d");
        QVERIFY(m_fs->sameFile("A:\\NE2000.DOS", "a:/ne2000.dos"));
        QVERIFY(!m_fs->sameFile("A:\\NE2000.DOS", "C:\\NE2000.DOS"));
        QVERIFY(!m_fs->sameFile("Q:\\NE2000.DOS", "Q:\\NE2000.DOS"));
    }
};

QTEST_GUILESS_MAIN(TestDosFs)
#include "tst_dos_fs.moc"
