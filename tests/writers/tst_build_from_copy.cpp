#include "build_fixture.h"
#include "platform/delay.h"

#include <QFile>
#include <QtTest>

// A diskette that starts as a copy of an earlier one and is given only what differs ends up as a
// diskette built afresh would: the same files, bytes and attributes, and a clean file system.
class TestBuildFromCopy : public QObject {
    Q_OBJECT

    // Every file with its attributes and bytes, sorted; what a fresh build is compared with.
    static QStringList contents(const QString& image) {
        QByteArray attributes;
        TestEnv::run("mattrib", {"-/", "-i", image, "::"}, &attributes);
        QStringList out = QString::fromLatin1(attributes).split('\n', Qt::SkipEmptyParts);
        for (QString& line : out) {
            const QString path = line.mid(line.indexOf("::/"));
            line = line.simplified() + " " + QString::fromLatin1(TestEnv::mtype(image, path).toHex());
        }
        out.sort();
        return out;
    }

private Q_SLOTS:
    void initTestCase() { setDelayPacing(0); }
    void copyBuiltEqualsFreshBuilt_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("change"); // made between the first diskette and the next
        QTest::newRow("Multicast, nothing differs") << 1 << "";
        QTest::newRow("Multicast, another name") << 1 << "name";
        QTest::newRow("Multicast, another address") << 1 << "address";
        QTest::newRow("Multicast, the client rewritten longer") << 1 << "client";
        QTest::newRow("Multicast, the driver made read-only") << 1 << "read-only";
        QTest::newRow("no network, the client rewritten longer") << 4 << "client";
    }
    void copyBuiltEqualsFreshBuilt() {
        QFETCH(int, mode);
        QFETCH(QString, change);
        BuildFixture f;
        const QString first = f.tmp.filePath("first.img");
        f.mount(first);
        QCOMPARE(f.build(mode), Dialogs::Button::Yes);
        QVERIFY(f.run->failedFile().isEmpty() && !f.run->BuildCancelled());
        const QList<WrittenFile> written = f.run->written();

        if (change == "name")
            f.settings.setText("TForm6.Edit3", "client02");
        if (change == "address")
            f.settings.setText("TForm6.Edit1", " 10.  0.  0.  6");
        if (change == "client")
            BuildFixture::putSource(f.client, "Pellacore client program, the next release");
        if (change == "read-only")
            QVERIFY(QFile::setPermissions(f.nics + "ne2000.dos", QFile::ReadOwner | QFile::ReadGroup));

        const QString copied = f.tmp.filePath("copied.img");
        f.mount(copied, first);
        f.run->startFrom(written);
        QCOMPARE(f.build(mode), Dialogs::Button::Yes);
        QVERIFY(f.run->failedFile().isEmpty() && !f.run->BuildCancelled());
        const QString fresh = f.tmp.filePath("fresh.img");
        f.mount(fresh);
        QCOMPARE(f.build(mode), Dialogs::Button::Yes);

        QCOMPARE(contents(copied), contents(fresh));
        QVERIFY(TestEnv::fsckClean(copied));
        if (!change.isEmpty())
            QVERIFY(contents(copied) != contents(first));
    }

    // A file left as the copy held it is still read back: a copy whose file no longer holds what
    // the first run wrote ends the run with that file named.
    void aStartingFileThatDiffersFailsTheReadBack() {
        BuildFixture f;
        const QString first = f.tmp.filePath("first.img");
        f.mount(first);
        f.build(1);
        const QList<WrittenFile> written = f.run->written();
        const QString changed = f.tmp.filePath("NE2000.DOS");
        BuildFixture::putSource(changed, "NE2000 NDIS drivex");
        QCOMPARE(TestEnv::run("mcopy", {"-o", "-i", first, changed, "::/NE2000.DOS"}), 0);

        f.mount(f.tmp.filePath("copied.img"), first);
        f.run->startFrom(written);
        f.build(1);
        QVERIFY(f.run->BuildCancelled());
        QCOMPARE(f.run->failedFile(), QStringLiteral("A:\\NE2000.DOS"));
        QVERIFY(!QFile::exists(f.tmp.filePath("copied.img")));
    }
};

QTEST_GUILESS_MAIN(TestBuildFromCopy)
#include "tst_build_from_copy.moc"
