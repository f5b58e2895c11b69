#include "cli_fixture.h"
#include "test_env.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// The ring of 100 saved configurations as bootwright-cli meets it: a new save never replaces a
// configuration while a slot is free, and replaces one only when told to.
class TestCliRing : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_base;
    std::unique_ptr<CliFixture> m_fx;

    static QString describe(int slot) { return QStringLiteral("Config %1").arg(slot); }

    // PCBWSAVE.INI as another program could have left it: these slots taken, the counter at last.
    void writeRing(const QList<int>& slots, int last, const QByteArray& extraEntries = {}) {
        QByteArray ini = "[SAVED]\r\n";
        if (last > 0)
            ini += "LastSavedItemWas=" + QByteArray::number(last) + "\r\n";
        for (int slot : slots)
            ini += describe(slot).toLatin1() + "=SAVED" + QByteArray::number(slot) + "\r\n";
        ini += extraEntries;
        for (int slot : slots)
            ini += "[SAVED" + QByteArray::number(slot) + "]\r\ndesc=" + describe(slot).toLatin1() +
                   "\r\nparamf=NAME" + QByteArray::number(slot) + "\r\nparamh=1\r\n";
        TestEnv::writeHostFile(m_fx->path("PCBWSAVE.INI"), ini);
    }

    QStringList listed() const {
        return QString::fromLocal8Bit(m_fx->cli({"list"}).out).split(u'\n', Qt::SkipEmptyParts);
    }

    static int slotOf(const QByteArray& out) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("in slot (\\d+)")).match(out);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }

    // Every configuration but those expected gone is still there with its own values.
    void checkKept(const QList<int>& slots, const QList<int>& gone = {}) const {
        for (int slot : slots) {
            const QMap<QString, QString> keys = m_fx->savedKeys(describe(slot));
            if (gone.contains(slot)) {
                QVERIFY2(keys.isEmpty(), qPrintable(describe(slot)));
                continue;
            }
            QCOMPARE(keys.value("DESC"), describe(slot));
            QCOMPARE(keys.value("PARAMF"), QStringLiteral("NAME%1").arg(slot));
        }
    }

private Q_SLOTS:
    void init() {
        m_base = std::make_unique<QTemporaryDir>();
        QVERIFY(m_base->isValid());
        m_fx = std::make_unique<CliFixture>(m_base->path());
    }

    void newSaveTakesTheFirstFreeSlotAfterTheLast_data() {
        QTest::addColumn<QList<int>>("taken");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("expected");
        QList<int> oneToEight{1, 2, 3, 4, 5, 6, 7, 8};
        QTest::newRow("no file yet") << QList<int>{} << 0 << 2;
        QTest::newRow("after an overwrite of slot 7") << oneToEight << 7 << 9;
        QList<int> gap;
        for (int s = 1; s <= 10; ++s)
            if (s != 5)
                gap << s;
        QTest::newRow("a gap before the last slot stays for later") << gap << 10 << 11;
        QList<int> wrap;
        for (int s = 50; s <= 100; ++s)
            wrap << s;
        wrap << 1 << 2 << 3;
        QTest::newRow("wraps after slot 100") << wrap << 99 << 4;
        QTest::newRow("last is 100, slot 1 free") << QList<int>{100} << 100 << 1;
    }
    void newSaveTakesTheFirstFreeSlotAfterTheLast() {
        QFETCH(QList<int>, taken);
        QFETCH(int, last);
        QFETCH(int, expected);
        if (!taken.isEmpty() || last > 0)
            writeRing(taken, last);
        const CliFixture::Result r = m_fx->cli({"save", "New", "--set", "TForm6.Edit3=NEWNAME"});
        QCOMPARE(r.code, 0);
        QCOMPARE(slotOf(r.out), expected);
        checkKept(taken);
        QCOMPARE(m_fx->savedKeys("New").value("PARAMF"), QStringLiteral("NEWNAME"));
        QCOMPARE(listed().size(), taken.size() + 1);
    }

    // With every slot taken the save names the configuration it would replace and waits for
    // --replace-oldest; the one replaced leaves no entry behind.
    void fullRingReplacesOnlyWhenTold() {
        QList<int> all;
        for (int s = 1; s <= 100; ++s)
            all << s;
        writeRing(all, 42);
        const QByteArray before = TestEnv::readHostFile(m_fx->path("PCBWSAVE.INI"));

        CliFixture::Result r = m_fx->cli({"save", "New"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("\"Config 43\"") && r.err.contains("--replace-oldest"), r.err.constData());
        QCOMPARE(TestEnv::readHostFile(m_fx->path("PCBWSAVE.INI")), before);

        r = m_fx->cli({"save", "New", "--replace-oldest", "--set", "TForm6.Edit3=NEWNAME"});
        QCOMPARE(r.code, 0);
        QCOMPARE(slotOf(r.out), 43);
        checkKept(all, {43});
        QVERIFY(!TestEnv::readHostFile(m_fx->path("PCBWSAVE.INI")).contains("Config 43="));
        QCOMPARE(listed().size(), 100);

        // The next one would replace slot 44.
        r = m_fx->cli({"save", "Newer"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("\"Config 44\""), r.err.constData());
    }

    // An overwrite touches only the slot whose description matches; a stale entry naming another
    // configuration's slot is no configuration at all.
    void overwriteTouchesOnlyItsOwnSlot_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("stale entry, --overwrite") << QStringList{"save", "B", "--overwrite"};
        QTest::newRow("stale entry, no option") << QStringList{"save", "b"};
    }
    void overwriteTouchesOnlyItsOwnSlot() {
        QFETCH(QStringList, args);
        writeRing({3, 5}, 5, "B=SAVED5\r\n");
        const CliFixture::Result r = m_fx->cli(args + QStringList{"--set", "TForm6.Edit3=BNAME"});
        QCOMPARE(r.code, 0);
        QVERIFY(!r.err.contains("Overwrite"));
        checkKept({3, 5});
        QCOMPARE(slotOf(r.out), 6);
        QCOMPARE(m_fx->savedKeys("B").value("PARAMF"), QStringLiteral("BNAME"));
        QCOMPARE(listed().size(), 3);
    }

    void overwriteInAFullRingNeedsNoReplace() {
        QList<int> all;
        for (int s = 1; s <= 100; ++s)
            all << s;
        writeRing(all, 42);
        const CliFixture::Result r =
            m_fx->cli({"save", "config 10", "--overwrite", "--set", "TForm6.Edit3=AGAIN"});
        QCOMPARE(r.code, 0);
        QCOMPARE(slotOf(r.out), 10);
        QCOMPARE(m_fx->savedKeys("Config 10").value("PARAMF"), QStringLiteral("AGAIN"));
        all.removeAll(10);
        checkKept(all);
    }
};

QTEST_GUILESS_MAIN(TestCliRing)
#include "tst_cli_ring.moc"
