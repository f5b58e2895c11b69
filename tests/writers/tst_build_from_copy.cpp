#include "build_fixture.h"
#include "diskette_contents.h"
#include "platform/delay.h"

#include <QFile>
#include <QtTest>

// A diskette that starts as a copy of an earlier one and is given only what differs ends up as a
// diskette built afresh would, and every file on it is still read back.
class TestBuildFromCopy : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setDelayPacing(0); }
    void copyBuiltEqualsFreshBuilt_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("change"); // made between the first diskette and the next
        QTest::newRow("Multicast, nothing differs") << 1 << "";
        QTest::newRow("Multicast, another name and address") << 1 << "name";
        QTest::newRow("Multicast, the client rewritten longer") << 1 << "client";
        QTest::newRow("Multicast, the driver made read-only") << 1 << "read-only";
        QTest::newRow("no network, the client rewritten longer") << 4 << "client";
        // A file left as the copy held it is read back all the same.
        QTest::newRow("Multicast, the copy's driver no longer as written") << 1 << "copy";
    }
    void copyBuiltEqualsFreshBuilt() {
        QFETCH(int, mode);
        QFETCH(QString, change);
        BuildFixture f;
        const QString first = f.tmp.filePath("first.img"), copied = f.tmp.filePath("copied.img");
        f.mount(first);
        f.build(mode);
        const QList<WrittenFile> written = f.run->written();
        if (change == "name") {
            f.settings.setText("TForm6.Edit3", "client02");
            f.settings.setText("TForm6.Edit1", " 10.  0.  0.  6");
        }
        if (change == "client")
            BuildFixture::putSource(f.client, "Pellacore client program, the next release");
        if (change == "read-only")
            QVERIFY(QFile::setPermissions(f.nics + "ne2000.dos", QFile::ReadOwner | QFile::ReadGroup));
        if (change == "copy") {
            BuildFixture::putSource(f.tmp.filePath("NE2000.DOS"), "NE2000 NDIS drivex");
            QCOMPARE(
                TestEnv::run("mcopy", {"-o", "-i", first, f.tmp.filePath("NE2000.DOS"), "::/NE2000.DOS"}), 0);
        }

        f.mount(copied, first);
        f.run->startFrom(written);
        f.build(mode);
        if (change == "copy") {
            QCOMPARE(f.run->failedFile(), QStringLiteral("A:\\NE2000.DOS"));
            QVERIFY(!QFile::exists(copied));
            return;
        }
        QVERIFY(f.run->failedFile().isEmpty() && !f.run->BuildCancelled());
        f.mount(f.tmp.filePath("fresh.img"));
        f.build(mode);
        QCOMPARE(imageContents(copied), imageContents(f.tmp.filePath("fresh.img")));
        QVERIFY(TestEnv::fsckClean(copied));
    }
};

QTEST_GUILESS_MAIN(TestBuildFromCopy)
#include "tst_build_from_copy.moc"
