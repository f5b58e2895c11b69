#include "batch/batch_update.h"
#include "corrupting_volume.h"
#include "platform/delay.h"
#include "platform/directory_volume.h"
#include "platform/dos_fs.h"
#include "platform/io_error.h"
#include "scripted_dialogs.h"
#include "test_env.h"

#include <QTemporaryDir>
#include <QtTest>

// The batch update over a pile of copied diskettes, each a directory or an image put into drive A:
// when its prompt is answered.
class TestBatchUpdate : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

    static QByteArray wattcp(const QByteArray& ip, const QByteArray& host, const QByteArray& tail = {}) {
        return "[CLIENT DISKETTE OPERATION]\r\nMY_IP=" + ip + "\r\nHOSTNAME=" + host +
               "\r\nNETMASK=255.255.0.0\r\n" + tail;
    }

    // n diskette directories, each with its own WATTCP.CFG.
    QStringList diskettes(int n, const QByteArray& content = {}) {
        QStringList dirs;
        for (int i = 1; i <= n; ++i) {
            const QString dir =
                m_tmp.filePath(QStringLiteral("%1-%2").arg(QTest::currentTestFunction()).arg(i));
            QDir().mkpath(dir);
            TestEnv::writeHostFile(dir + "/WATTCP.CFG", content.isEmpty()
                                                            ? wattcp("10.9.9." + QByteArray::number(i),
                                                                     "OLD" + QByteArray::number(i))
                                                            : content);
            dirs << dir;
        }
        return dirs;
    }

    struct Run {
        DosFs fs;
        ScriptedDialogs dialogs;
        BatchUpdate batch{fs, dialogs};
        QStringList written;
        explicit Run(const QStringList& dirs) {
            batch.diskettePlaced = [this, dirs](int n) {
                fs.mapDrive('A', dirs.value(n - 1, dirs.last()));
                return true;
            };
            batch.updated = [this](int n, const QString& ip, const QString& name) {
                written << QStringLiteral("%1 %2 %3").arg(n).arg(ip, name);
            };
        }
    };

private Q_SLOTS:
    void initTestCase() { setDelayPacing(0); }

    void threeDiskettesGetSuccessiveAddressesAndNames() {
        const QStringList dirs = diskettes(3);
        Run run(dirs);
        for (int i = 0; i < 3; ++i)
            run.dialogs.answer(Dialogs::Button::Ok);
        run.dialogs.answer(Dialogs::Button::Cancel);
        BatchUpdate::Fields f;
        f.address = QStringLiteral(" 10.  1.  2.254");
        f.name = QStringLiteral("LAB9");
        QCOMPARE(run.batch.go(f), BatchUpdate::End::Stopped);

        QCOMPARE(run.written, (QStringList{"1 10.1.2.254 LAB9", "2 10.1.2.255 LAB10", "3 10.1.2.001 LAB11"}));
        QCOMPARE(TestEnv::readHostFile(dirs[0] + "/WATTCP.CFG"), wattcp("10.1.2.254", "LAB9"));
        QCOMPARE(TestEnv::readHostFile(dirs[2] + "/WATTCP.CFG"), wattcp("10.1.2.001", "LAB11"));
        QCOMPARE(
            run.dialogs.texts(),
            (QStringList{"Insert the first floppy diskette in drive A:.  Press OK when ready.",
                         "Update Successful.\rDisk IP Address is: 10.1.2.254\rDisk Client Name is: LAB9\r\r"
                         "Insert the next floppy diskette in drive A:.  Press OK when ready.",
                         "Update Successful.\rDisk IP Address is: 10.1.2.255\rDisk Client Name is: LAB10\r\r"
                         "Insert the next floppy diskette in drive A:.  Press OK when ready.",
                         "Update Successful.\rDisk IP Address is: 10.1.2.001\rDisk Client Name is: LAB11\r\r"
                         "Insert the next floppy diskette in drive A:.  Press OK when ready."}));
        for (const auto& shown : run.dialogs.shown())
            QCOMPARE(shown.buttons, Dialogs::Buttons::OkCancel);
        // Cancel leaves the values of the last diskette in the fields.
        QCOMPARE(f.name, QStringLiteral("LAB11"));
    }

    void onlyTheNameKeepsEachAddress() {
        const QStringList dirs = diskettes(2);
        Run run(dirs);
        run.dialogs.answer(Dialogs::Button::Ok);
        run.dialogs.answer(Dialogs::Button::Ok);
        run.dialogs.answer(Dialogs::Button::Cancel);
        BatchUpdate::Fields f;
        f.updateAddress = false;
        f.name = QStringLiteral("PC1");
        run.batch.go(f);
        QCOMPARE(TestEnv::readHostFile(dirs[0] + "/WATTCP.CFG"), wattcp("10.9.9.1", "PC1"));
        QCOMPARE(TestEnv::readHostFile(dirs[1] + "/WATTCP.CFG"), wattcp("10.9.9.2", "PC2"));
        // The address field still advances and the prompt still shows it.
        QVERIFY(run.dialogs.texts().at(2).contains("Disk IP Address is: 0.0.0.001"));
    }

    void nothingToDo() {
        Run run(diskettes(1));
        BatchUpdate::Fields f;
        f.updateAddress = f.updateName = false;
        QCOMPARE(run.batch.go(f), BatchUpdate::End::NothingToDo);
        QCOMPARE(run.dialogs.texts(), QStringList{"Nothing to do!"});
        QCOMPARE(run.dialogs.shown().first().buttons, Dialogs::Buttons::Ok);
    }

    void missingFileThenTheValuesMeantForIt() {
        QStringList dirs = diskettes(2);
        QFile::remove(dirs[1] + "/WATTCP.CFG");
        Run run(dirs);
        BatchUpdate::Fields f;
        f.address = QStringLiteral("  1.  1.  1.  1");
        f.name = QStringLiteral("A1");
        QCOMPARE(run.batch.go(f), BatchUpdate::End::MissingFile);
        QCOMPARE(run.dialogs.texts().last(),
                 QStringLiteral("Could not find WATTCP.CFG file on the diskette!"));
        QCOMPARE(run.written, QStringList{"1 1.1.1.1 A1"});

        // A proper diskette goes in and GO again: it gets what the failed one was meant to get.
        TestEnv::writeHostFile(dirs[1] + "/WATTCP.CFG", wattcp("9.9.9.9", "X"));
        Run again({dirs[1]});
        again.dialogs.answer(Dialogs::Button::Ok);
        again.dialogs.answer(Dialogs::Button::Cancel);
        again.batch.go(f);
        QCOMPARE(again.written, QStringList{"1 1.1.1.002 A2"});
    }

    void rewrite_data() {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("post-configuration kept")
            << wattcp("1.1.1.1", "OLD", " \r\n[POST-CONFIGURATION OPTIONS]\r\nCOMPUTERNAME=PC\r\n")
            << wattcp("5.6.7.8", "NEW", " \r\n[POST-CONFIGURATION OPTIONS]\r\nCOMPUTERNAME=PC\r\n");
        QTest::newRow("lower-case key found")
            << QByteArray("[CLIENT DISKETTE OPERATION]\r\nmy_ip=1.1.1.1\r\nhostname=a\r\n")
            << QByteArray("[CLIENT DISKETTE OPERATION]\r\nMY_IP=5.6.7.8\r\nHOSTNAME=NEW\r\n");
        QTest::newRow("missing keys after the header")
            << QByteArray("; copied\r\n[CLIENT DISKETTE OPERATION]\r\nNETMASK=255.0.0.0\r\n")
            << QByteArray("; copied\r\n[CLIENT DISKETTE "
                          "OPERATION]\r\nMY_IP=5.6.7.8\r\nHOSTNAME=NEW\r\nNETMASK=255.0.0.0\r\n");
        QTest::newRow("keys past the seventh line are replaced where they stand")
            << QByteArray("[CLIENT DISKETTE OPERATION]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\nMY_IP=1.1.1.1\r\n")
            << QByteArray("[CLIENT DISKETTE OPERATION]\r\nHOSTNAME=NEW\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n"
                          "MY_IP=5.6.7.8\r\n");
        QTest::newRow("keys of another section past the seventh line are not seen")
            << QByteArray("[CLIENT DISKETTE OPERATION]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n[OTHER]\r\n"
                          "MY_IP=1.1.1.1\r\n")
            << QByteArray(
                   "[CLIENT DISKETTE OPERATION]\r\nMY_IP=5.6.7.8\r\nHOSTNAME=NEW\r\n1\r\n2\r\n3\r\n4\r\n"
                   "5\r\n6\r\n[OTHER]\r\nMY_IP=1.1.1.1\r\n");
        QTest::newRow("LF lines stay LF") << QByteArray("MY_IP=1\nHOSTNAME=2\nNETMASK=3")
                                          << QByteArray("MY_IP=5.6.7.8\nHOSTNAME=NEW\nNETMASK=3\n");
        QTest::newRow("no header: keys first")
            << QByteArray("FOO=1\r\n") << QByteArray("MY_IP=5.6.7.8\r\nHOSTNAME=NEW\r\nFOO=1\r\n");
        // Found by fuzzing: without the header, a key below another section was once taken for the
        // file's own, and a second run then added the key again.
        QTest::newRow("no header: a key of another section is not the file's")
            << QByteArray("; 1\n; 2\n; 3\n; 4\n; 5\n; 6\n[CLIENT DICKETTE]\nx\nhostname=OLD\n")
            << QByteArray("MY_IP=5.6.7.8\nHOSTNAME=NEW\n; 1\n; 2\n; 3\n; 4\n; 5\n; 6\n[CLIENT DICKETTE]\nx\n"
                          "hostname=OLD\n");
        // Found by fuzzing: a key added with the first line's lone CR before an empty LF line made
        // the two breaks one, and the empty line was gone.
        QTest::newRow("added keys end as the line before them")
            << QByteArray("\r[CLIENT DISKETTE OPERATION]\n\nNETMASK=1\n")
            << QByteArray("\r[CLIENT DISKETTE OPERATION]\nMY_IP=5.6.7.8\nHOSTNAME=NEW\n\nNETMASK=1\n");
        QTest::newRow("keys before the header count as the file's")
            << QByteArray("MY_IP=1\r\n[CLIENT DISKETTE OPERATION]\r\nMY_IP=2\r\n")
            << QByteArray("MY_IP=5.6.7.8\r\n[CLIENT DISKETTE OPERATION]\r\nHOSTNAME=NEW\r\nMY_IP=2\r\n");
    }
    void rewrite() {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, expected);
        BatchUpdate::Fields f;
        f.address = QStringLiteral("  5.  6.  7.  8");
        f.name = QStringLiteral(" NEW ");
        QCOMPARE(BatchUpdate::rewrite(old, f), expected);
        // A second run with the same values finds every key where the first put it.
        QCOMPARE(BatchUpdate::rewrite(expected, f), expected);
    }

    // A WATTCP.CFG that reads back other than it was written is a failure, never an update.
    void badReadBackIsNoUpdate() {
        const QStringList dirs = diskettes(1);
        Run run(dirs);
        run.batch.diskettePlaced = [&](int) {
            run.fs.mount('A', std::make_unique<CorruptingVolume>(std::make_unique<DirectoryVolume>(dirs[0]),
                                                                 "WATTCP.CFG"));
            return true;
        };
        BatchUpdate::Fields f;
        QVERIFY_THROWS_EXCEPTION(IoError, run.batch.go(f));
        QCOMPARE(run.written, QStringList{});
        QVERIFY(!run.dialogs.texts().join('|').contains("Update Successful"));
    }

    void fullImageKeepsTheOldFile() {
        // WATTCP.CFG fills its only cluster and the diskette has no room left: the new, longer file
        // cannot be written, and the old one stays as it was.
        const QString image = m_tmp.filePath("full.img");
        QVERIFY(TestEnv::makeBlankImage(image));
        QByteArray old = wattcp("1.1.1.1", "A");
        old += QByteArray(512 - old.size() - 2, 'x') + "\r\n";
        QCOMPARE(old.size(), 512);
        TestEnv::writeHostFile(m_tmp.filePath("w.cfg"), old);
        QCOMPARE(TestEnv::run("mcopy", {"-i", image, m_tmp.filePath("w.cfg"), "::/WATTCP.CFG"}), 0);
        QByteArray info;
        TestEnv::run("mdir", {"-i", image, "::"}, &info);
        const qint64 free = QString::fromLatin1(info)
                                .section(QLatin1String("bytes free"), 0, 0)
                                .split('\n')
                                .last()
                                .remove(' ')
                                .toLongLong();
        TestEnv::writeHostFile(m_tmp.filePath("fill"), QByteArray(free, 'f'));
        QCOMPARE(TestEnv::run("mcopy", {"-i", image, m_tmp.filePath("fill"), "::/FILL"}), 0);
        const QByteArray before = TestEnv::readHostFile(image);

        Run run({image});
        BatchUpdate::Fields f;
        f.name = QStringLiteral("A-MUCH-LONGER-NAME");
        QVERIFY(free > 0);
        try {
            run.batch.go(f);
            QFAIL("the write did not fail");
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains("full"), qPrintable(e.message()));
        }
        QCOMPARE(TestEnv::readHostFile(image), before);
        QVERIFY(!QFile::exists(image + ".bw-new"));
        QVERIFY(TestEnv::fsckClean(image));
    }
};

QTEST_GUILESS_MAIN(TestBatchUpdate)
#include "tst_batch_update.moc"
