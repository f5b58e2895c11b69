#include "build_fixture.h"
#include "platform/delay.h"
#include "platform/io_error.h"

#include <QtTest>

class TestNoNetworkWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { setDelayPacing(0); }

    void wholeDiskette();
    void boxLinesAlign_data();
    void boxLinesAlign();
    void missingClient();
    void configSysUnwritable();
    void autoexecUnwritable();
    void cancelAtStep_data();
    void cancelAtStep();
    void clientKeepsItsName();
    void freshImage();
    void shortWriteOnFullImage();
};

void TestNoNetworkWriter::wholeDiskette() {
    BuildFixture f;
    // Settings of the other kinds of diskette play no part.
    f.settings.setValue("TForm6.CheckBox3", "1");
    f.settings.setValue("TForm99.RadioButton1", "1");
    QCOMPARE(f.build(4), Dialogs::Button::Yes);
    QCOMPARE(f.dialogs.texts(), QStringList{kComplete});
    QCOMPARE(f.diskFile("CONFIG.SYS"), kNoNetworkConfigSys);
    QCOMPARE(f.diskFile("AUTOEXEC.BAT"), kNoNetworkAutoexec);
    QCOMPARE(f.diskFile("client.exe"), QByteArray("Pellacore client program"));
    QCOMPARE(f.builtFiles(), (QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "client.exe"}));
    QVERIFY(!f.view.networkLabelVisible);

    const QStringList events = {
        "status: ",
        "gauge:0",
        "tick:3:1",
        "tick:3:1",
        "status: Creating CONFIG.SYS...",
        "gauge:50",
        "status: Creating AUTOEXEC.BAT...",
        "gauge:100",
        "tick:4:1",
        "gauge:0",
        "status: Copying Pellacore Client file...",
        "tick:4:1",
        "gauge:100",
        "status: Verifying diskette...",
        "status:Done. ",
    };
    QCOMPARE(f.view.events, events);
    QVERIFY(!f.view.ticks.contains(5));
}

void TestNoNetworkWriter::boxLinesAlign_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("boxWidth");
    QTest::newRow("CONFIG.SYS") << "CONFIG.SYS" << 14 << 58;
    QTest::newRow("AUTOEXEC.BAT") << "AUTOEXEC.BAT" << 11 << 50;
}

void TestNoNetworkWriter::boxLinesAlign() {
    QFETCH(QString, file);
    QFETCH(int, lines);
    QFETCH(int, boxWidth);
    BuildFixture f;
    f.build(4);
    const QByteArray text = f.diskFile(file);
    QVERIFY(text.endsWith("\r\n"));
    const QList<QByteArray> rows = text.chopped(1).split('\n');
    QCOMPARE(rows.size(), lines);
    int boxes = 0;
    for (QByteArray row : rows) {
        QVERIFY(row.endsWith('\r'));
        row.chop(1);
        if (!row.startsWith("REM **"))
            continue;
        ++boxes;
        QCOMPARE(row.size(), boxWidth);
        QVERIFY(row.endsWith("***"));
    }
    QCOMPARE(boxes, 7);
}

void TestNoNetworkWriter::missingClient() {
    BuildFixture f;
    QFile::remove(f.client);
    f.build(4);
    QCOMPARE(f.dialogs.texts(), (QStringList{kClientMissing, kCanceled}));
    QCOMPARE(f.dialogs.shown().first().helpContext, 0);
    QCOMPARE(f.view.statuses.at(f.view.statuses.size() - 2),
             QStringLiteral(" Copying Pellacore Client file..."));
    QCOMPARE(f.view.gauges, (QList<int>{0, 50, 100, 0, 100}));
    QCOMPARE(f.builtFiles(), (QStringList{"AUTOEXEC.BAT", "CONFIG.SYS"}));
}

void TestNoNetworkWriter::configSysUnwritable() {
    BuildFixture f;
    QDir().mkpath(f.disk + "/CONFIG.SYS");
    f.build(4);
    QCOMPARE(f.dialogs.texts(),
             (QStringList{kConfigFailed + "\ra folder of that name is in the way", kCanceled}));
    QCOMPARE(f.dialogs.shown().first().helpContext, 600);
    QCOMPARE(f.view.statuses, (QStringList{" ", " Creating CONFIG.SYS...", "Done. "}));
    // The gauge still ends at 100, and the client section's tick still shows.
    QCOMPARE(f.view.gauges, (QList<int>{0, 50, 100}));
    QVERIFY(f.view.ticks.contains(4));
    QCOMPARE(f.builtFiles(), QStringList{"CONFIG.SYS"});
}

void TestNoNetworkWriter::autoexecUnwritable() {
    BuildFixture f;
    QDir().mkpath(f.disk + "/AUTOEXEC.BAT");
    f.mount();
    f.settings.setBuildMode(BuildMode::NoNetwork);
    f.run->FormShow(f.settings, f.prog);
    f.run->MakeTheDisk();
    QCOMPARE(f.diskFile("CONFIG.SYS"), kNoNetworkConfigSys);
    QVERIFY(!f.onDisk("client.exe"));
    QCOMPARE(f.dialogs.texts(),
             (QStringList{"A:\\AUTOEXEC.BAT could not be created.\ra folder of that name is in the way",
                          kCanceled}));
}

void TestNoNetworkWriter::cancelAtStep_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QList<int>>("gauges");
    QTest::newRow("CONFIG.SYS") << " Creating CONFIG.SYS..." << QStringList{"CONFIG.SYS"}
                                << QList<int>{0, 50, 100};
    QTest::newRow("AUTOEXEC.BAT") << " Creating AUTOEXEC.BAT..." << QStringList{"AUTOEXEC.BAT", "CONFIG.SYS"}
                                  << QList<int>{0, 50, 100, 100};
    QTest::newRow("client") << " Copying Pellacore Client file..."
                            << QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "client.exe"}
                            << QList<int>{0, 50, 100, 0, 100};
}

void TestNoNetworkWriter::cancelAtStep() {
    QFETCH(QString, step);
    QFETCH(QStringList, left);
    BuildFixture f;
    f.mount();
    f.cancelAt(step);
    f.build(4);
    QCOMPARE(f.dialogs.texts(), QStringList{kCanceled});
    QCOMPARE(f.builtFiles(), left);
    QTEST(f.view.gauges, "gauges");
    QVERIFY(f.view.ticks.contains(4));
}

void TestNoNetworkWriter::clientKeepsItsName() {
    BuildFixture f;
    const QString mine = f.tmp.filePath("icc/myclient.exe");
    BuildFixture::putSource(mine, "my client");
    f.settings.setText("TForm11.Edit1", mine);
    f.build(4);
    QCOMPARE(f.builtFiles(), (QStringList{"AUTOEXEC.BAT", "CONFIG.SYS", "myclient.exe"}));
    QCOMPARE(f.diskFile("AUTOEXEC.BAT"), kNoNetworkAutoexec);
}

void TestNoNetworkWriter::freshImage() {
    BuildFixture f;
    const QString image = f.tmp.filePath("A.img");
    f.mount(image);
    f.build(4);
    QCOMPARE(f.dialogs.texts().last(), kComplete);
    QByteArray report;
    QVERIFY2(TestEnv::fsckClean(image, &report), report.constData());
    QCOMPARE(TestEnv::mtype(image, "::/CONFIG.SYS"), kNoNetworkConfigSys);
    QCOMPARE(TestEnv::mtype(image, "::/AUTOEXEC.BAT"), kNoNetworkAutoexec);
    QCOMPARE(TestEnv::mtype(image, "::/client.exe"), QByteArray("Pellacore client program"));
}

void TestNoNetworkWriter::shortWriteOnFullImage() {
    BuildFixture f;
    const QString image = f.tmp.filePath("full.img");
    QVERIFY(TestEnv::makeBlankImage(image));
    BuildFixture::putSource(f.client, QByteArray(20 * qsizetype(1024), 'C'));
    // The files fit when the build starts; the diskette fills up to eight free sectors while the
    // text files are written (in the build's working copy), so the client no longer does.
    f.view.onStatus = [&](const QString& status) {
        if (status != " Copying Pellacore Client file...")
            return;
        const QString work = BuildFixture::workingCopy(image);
        QByteArray listing;
        TestEnv::run("mdir", {"-i", work, "::"}, &listing);
        const QRegularExpressionMatch free =
            QRegularExpression("([0-9 ]+) bytes free").match(QString(listing));
        const qint64 freeBytes = free.captured(1).remove(' ').toLongLong();
        const QString filler = f.tmp.filePath("filler.bin");
        BuildFixture::putSource(filler, QByteArray(freeBytes - 8 * qint64(512), 'F'));
        QCOMPARE(TestEnv::run("mcopy", {"-i", work, filler, "::/FILLER.BIN"}), 0);
    };

    f.mount(image);
    QCOMPARE(f.build(4), Dialogs::Button::Yes);
    const QStringList texts = f.dialogs.texts();
    // Reported with its reason, and the diskette is not called complete.
    QVERIFY2(texts.contains("A:\\client.exe File write error! \rno space left on the diskette"),
             qPrintable(texts.join('|')));
    QCOMPARE(texts.last(), kCanceled);
    QCOMPARE(f.view.gauges.last(), 100);
    QCOMPARE(f.run->values().CopyResult, 1);
    // The diskette stays as it was: nothing of the failed build reaches it.
    QCOMPARE(TestEnv::imageFiles(image), QStringList{});
    QByteArray report;
    QVERIFY2(TestEnv::fsckClean(image, &report), report.constData());
}

QTEST_GUILESS_MAIN(TestNoNetworkWriter)
#include "tst_no_network_writer.moc"
