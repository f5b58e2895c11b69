#include "cli_program.h"

#include <QtTest>

// bootwright-cli drives: the drive table as the build will see it.
class TestCliDrives : public QObject {
    Q_OBJECT
    std::unique_ptr<CliProgram> m_fx;

    // The line of one drive, its fields after the letter.
    QString row(const QByteArray& out, const QString& letter) {
        for (const QString& line : QString::fromLocal8Bit(out).split('\n'))
            if (line.startsWith(letter + ":\t"))
                return line.section('\t', 1);
        return {};
    }

private Q_SLOTS:
    void init() { m_fx = std::make_unique<CliProgram>(); }

    void resolves_data() {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("expected"); // kind, path, exists, writable, note; @ = program dir
        QTest::newRow("default image, not made yet")
            << QByteArray() << "A"
            << "image\t@/A.img\tno\tyes\tmade blank when first written";
        QTest::newRow("existing image") << QByteArray("B=disk.img\r\n") << "B"
                                        << "image\t@/disk.img\tyes\tyes\t-";
        QTest::newRow("image in a missing folder")
            << QByteArray("A=/nonexistent-bw/A.img\r\n") << "A"
            << "image\t/nonexistent-bw/A.img\tno\tno\tits folder /nonexistent-bw does not exist";
        QTest::newRow("folder") << QByteArray("C=nics\r\n") << "C"
                                << "folder\t@/nics\tyes\tyes\t-";
        QTest::newRow("missing folder")
            << QByteArray("D=gone\r\n") << "D"
            << "folder\t@/gone\tno\tno\tdoes not exist: make it, or choose another";
        QTest::newRow("a file that is no diskette image")
            << QByteArray("B=notes.txt\r\n") << "B"
            << "image\t@/notes.txt\tyes\tyes\tno diskette image: it does not begin with the boot sector of "
               "a FAT file system";
        QTest::newRow("missing device") << QByteArray("B=/dev/bw-no-such-fd\r\n") << "B"
                                        << "device\t/dev/bw-no-such-fd\tno\tno\tno such device";
        QTest::newRow("unmapped") << QByteArray("A=\r\n") << "A"
                                  << "none\t-\tno\tno\tnot mapped";
    }
    void resolves() {
        QFETCH(QByteArray, table);
        QFETCH(QString, letter);
        QFETCH(QString, expected);
        QVERIFY(TestEnv::makeBlankImage(m_fx->path("disk.img")));
        TestEnv::writeHostFile(m_fx->path("notes.txt"), QByteArray(600, 'x'));
        m_fx->setDrives(table);
        const CliProgram::Result r = m_fx->cli({"drives"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith("drive\tkind\tpath\texists\twritable\tnote\n"));
        QCOMPARE(row(r.out, letter), expected.replace('@', m_fx->dir));
        // Listing writes nothing, not even the image a build would make.
        QVERIFY(!QFile::exists(m_fx->path("A.img")));
    }

    void driveOptionAppliesForTheRun() {
        const CliProgram::Result r =
            m_fx->cli({"drives", "--drive", "B=" + m_fx->path("nics"), "--drive", "E=x.img"});
        QCOMPARE(r.code, 0);
        QCOMPARE(row(r.out, "B"), "folder\t" + m_fx->path("nics") + "\tyes\tyes\t-");
        QVERIFY(row(r.out, "E").startsWith("image\t"));
        // Without the option the table is as PCBW.INI says.
        QVERIFY(row(m_fx->cli({"drives"}).out, "B").startsWith("image\t" + m_fx->path("B.img")));
    }

    // The machine's own drives follow the table: a header and one line each, or a line that says
    // there are none.
    void machineDrivesFollow() {
        const QString out = QString::fromLocal8Bit(m_fx->cli({"drives"}).out);
        const QString machine = out.section("\n\n", 1);
        if (machine.startsWith("no floppy drive")) {
            QCOMPARE(machine,
                     "no floppy drive on this machine (no /dev/fd*, no removable 1.44 MB block device)\n");
            return;
        }
        QVERIFY2(machine.startsWith("floppy drive\tsize\tmodel\tmounted on\n"), qPrintable(out));
        for (const QString& line : machine.split('\n', Qt::SkipEmptyParts).mid(1)) {
            QCOMPARE(line.count('\t'), 3);
            QVERIFY2(line.startsWith("/dev/"), qPrintable(line));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliDrives)
#include "tst_cli_drives.moc"
