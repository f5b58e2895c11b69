#include "cli_fixture.h"
#include "diskette_contents.h"
#include "settings/settings_table.h"
#include "test_env.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

// bootwright-cli runs side by side and killed half-way: real processes, 100 pairs at a time, and
// nothing may be lost or half written.
class TestCliRaces : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_base;
    std::unique_ptr<CliFixture> m_fx;

    static constexpr int kPairs = 100;

    // Two complete sets of values; a configuration read back must hold one of them whole.
    static QStringList valueSet(const QString& tag) {
        return {"--set", "TForm6.Edit3=" + tag,          "--set", "TForm99.Edit6=" + tag,
                "--set", "TForm21.Edit1=" + tag,         "--set", "TForm11.Edit1=/" + tag,
                "--set", "TForm40.Edit3=" + tag,         "--set", "TForm99.Edit3=" + tag,
                "--set", "TForm4.Edit2=C:\\NICS\\" + tag};
    }
    static QString tagOf(const QMap<QString, QString>& keys) { return keys.value("PARAMF"); }
    // Empty when the keys hold one whole set of tag, else what is wrong.
    static QString wholeSet(const QMap<QString, QString>& keys, const QString& tag) {
        for (const QString& key : SettingsTable::saveKeys()) {
            if (!keys.contains(key.toUpper()))
                return QStringLiteral("the key %1 is missing (%2 of %3 keys there)")
                    .arg(key)
                    .arg(keys.size())
                    .arg(SettingsTable::saveKeys().size());
        }
        const QStringList same{"PARAMF", "PARAMBW", "PARAMS", "PARAMBY"};
        for (const QString& key : same) {
            if (keys.value(key) != tag)
                return QStringLiteral("%1 holds %2, not %3").arg(key, keys.value(key), tag);
        }
        if (keys.value("PARAMA") != "/" + tag)
            return QStringLiteral("PARAMA holds %1, not /%2").arg(keys.value("PARAMA"), tag);
        return {};
    }

    // A program directory that builds Multicast diskettes: the values for one named host.
    QStringList multicastBuild(const QString& name, const QString& ip) const {
        TestEnv::writeHostFile(m_fx->path("PCBW.INI"),
                               "[LOCATIONS]\r\nNICDriverPath=" + m_fx->path("nics/").toUtf8() + "\r\n");
        for (const QString& f : QStringList{"ne2000.dos"} + kMulticastStackFiles)
            TestEnv::writeHostFile(m_fx->path("nics/" + f), "placeholder " + f.toLatin1() + "\r\n");
        return m_fx->buildable() + QStringList{"--set", "nic.driver=" + m_fx->path("nics/NE2000.DOS"),
                                               "--set", "multicast.ip=" + ip,
                                               "--set", "multicast.mask=255.255.255.0",
                                               "--set", "multicast.name=" + name};
    }
    // Empty when the image is a whole diskette a Multicast build for that address made, else why not.
    static QString builtWhole(const QString& image, const QString& ip) {
        if (QFileInfo(image).size() != 1474560 || !TestEnv::fsckClean(image))
            return image + " is cut short or not clean";
        const QByteArray wattcp = TestEnv::mtype(image, "::/WATTCP.CFG");
        if (!wattcp.contains(QByteArray("MY_IP=" + ip.toLatin1() + "\r\n")))
            return image + " holds WATTCP.CFG " + QString::fromLatin1(wattcp);
        const QStringList files = TestEnv::imageFiles(image);
        for (const char* f : {"::/NE2000.DOS", "::/CONFIG.SYS", "::/AUTOEXEC.BAT", "::/PROTMAN.DOS"})
            if (!files.contains(QLatin1String(f)))
                return image + " lacks " + QLatin1String(f);
        return {};
    }
    // How many rounds a test of real processes makes; more for a measurement by hand.
    static int rounds(const char* variable, int fallback) {
        const int asked = qEnvironmentVariableIntValue(variable);
        return asked > 0 ? asked : fallback;
    }

    static void killAfter(QProcess& p, int microseconds) {
        QThread::usleep(static_cast<unsigned long>(microseconds));
        ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
        p.waitForFinished(30000);
    }

private Q_SLOTS:
    void init() {
        m_base = std::make_unique<QTemporaryDir>();
        QVERIFY(m_base->isValid());
        m_fx = std::make_unique<CliFixture>(m_base->path());
    }

    // Two saves at once, then two removals at once: every configuration is there whole, then gone,
    // and the ones saved before are untouched.
    void simultaneousSavesAndRemovalsLoseNothing() {
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(m_fx->cli(QStringList{"save", QStringLiteral("Kept %1").arg(i)} +
                               valueSet(QStringLiteral("KEPT%1").arg(i)))
                         .code,
                     0);
        int present = 0;
        int failedExits = 0;
        for (int k = 1; k <= kPairs; ++k) {
            const QString a = QStringLiteral("A %1").arg(k);
            const QString b = QStringLiteral("B %1").arg(k);
            auto pa = m_fx->start(QStringList{"save", a} + valueSet("A" + QString::number(k)));
            auto pb = m_fx->start(QStringList{"save", b} + valueSet("B" + QString::number(k)));
            failedExits += (CliFixture::finish(*pa).code != 0) + (CliFixture::finish(*pb).code != 0);
            for (const QString& d : {a, b}) {
                const QString problem = wholeSet(m_fx->savedKeys(d), QString(d).remove(u' '));
                if (problem.isEmpty())
                    ++present;
                else
                    qWarning("pair %d: %s: %s", k, qPrintable(d), qPrintable(problem));
            }
            auto qa = m_fx->start({"remove", a});
            auto qb = m_fx->start({"remove", b});
            failedExits += (CliFixture::finish(*qa).code != 0) + (CliFixture::finish(*qb).code != 0);
            if (!m_fx->savedKeys(a).isEmpty() || !m_fx->savedKeys(b).isEmpty())
                qWarning("pair %d: a removed configuration is still there", k);
        }
        qInfo("%d pairs of simultaneous saves: %d/%d configurations present and whole, %d of %d saves and "
              "removals failed",
              kPairs, present, 2 * kPairs, failedExits, 4 * kPairs);
        QCOMPARE(present, 2 * kPairs);
        QCOMPARE(failedExits, 0);
        for (int i = 1; i <= 5; ++i) {
            const QString d = QStringLiteral("Kept %1").arg(i);
            QCOMPARE(wholeSet(m_fx->savedKeys(d), QStringLiteral("KEPT%1").arg(i)), QString());
        }
    }

    // A configuration loaded while another process overwrites it is one save or the other, whole.
    void loadWhileOverwrittenReadsOneWholeSave() {
        QCOMPARE(m_fx->cli(QStringList{"save", "Moving"} + valueSet("ONE")).code, 0);
        int whole = 0;
        for (int k = 1; k <= kPairs; ++k) {
            const QString tag = k % 2 ? QStringLiteral("TWO") : QStringLiteral("ONE");
            const QString copy = QStringLiteral("Copy %1").arg(k);
            auto writer = m_fx->start(QStringList{"save", "Moving", "--overwrite"} + valueSet(tag));
            auto reader = m_fx->start({"save", copy, "--config", "Moving"});
            CliFixture::finish(*writer);
            CliFixture::finish(*reader);
            const QMap<QString, QString> keys = m_fx->savedKeys(copy);
            const QString problem = wholeSet(keys, tagOf(keys));
            if (problem.isEmpty())
                ++whole;
            else
                qWarning("pair %d: %s", k, qPrintable(problem));
            m_fx->cli({"remove", copy});
        }
        qInfo("%d loads beside an overwrite: %d/%d read one whole configuration", kPairs, whole, kPairs);
        QCOMPARE(whole, kPairs);
    }

    // Two batches on one diskette: one gives the address, the other the name; both must land.
    void simultaneousBatchesOnOneDisketteLoseNothing_data() {
        QTest::addColumn<bool>("image");
        QTest::newRow("image") << true;
        QTest::newRow("directory") << false;
    }
    void simultaneousBatchesOnOneDisketteLoseNothing() {
        QFETCH(bool, image);
        const QString disk = image ? m_fx->path("disk.img") : m_fx->path("disk");
        QVERIFY(image ? CliFixture::makeImageDiskette(disk, CliFixture::sampleWattcp())
                      : CliFixture::makeDirectoryDiskette(disk, CliFixture::sampleWattcp()));
        int both = 0;
        int failedExits = 0;
        int broken = 0;
        for (int k = 1; k <= kPairs; ++k) {
            const QString ip = QStringLiteral("10.1.%1.%2").arg(k / 200).arg(k % 200 + 1);
            const QString name = QStringLiteral("PAIR%1").arg(k);
            auto pa = m_fx->start({"batch", "--ip", ip, disk});
            auto pb = m_fx->start({"batch", "--name", name, disk});
            failedExits += (CliFixture::finish(*pa).code != 0) + (CliFixture::finish(*pb).code != 0);
            const QByteArray now = CliFixture::wattcpOf(disk);
            const QByteArray ipLine = "MY_IP=" + ip.toLatin1() + "\r\n";
            const QByteArray nameLine = "HOSTNAME=" + name.toLatin1() + "\r\n";
            if (now.contains(ipLine) && now.contains(nameLine))
                ++both;
            else
                qWarning("pair %d: %s", k, now.constData());
            if (image && (QFileInfo(disk).size() != 1474560 || !TestEnv::fsckClean(disk))) {
                ++broken;
                qWarning("pair %d: the image is %lld bytes or not clean", k, QFileInfo(disk).size());
                QVERIFY(CliFixture::makeImageDiskette(disk, CliFixture::sampleWattcp()));
            }
        }
        qInfo("%d pairs of simultaneous batches: %d/%d kept both updates; %d runs failed, %d images broken",
              kPairs, both, kPairs, failedExits, broken);
        QCOMPARE(failedExits, 0);
        QCOMPARE(broken, 0);
        QCOMPARE(both, kPairs);
        const QStringList left = QDir(image ? m_fx->dir() : disk)
                                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QCOMPARE(left, image ? QStringList{"disk.img"} : QStringList{"WATTCP.CFG"});
    }

    // kill -9 at any moment of a save: the configuration is the old one or the new one, whole.
    void killedSaveLeavesOldOrNew() {
        QCOMPARE(m_fx->cli(QStringList{"save", "Target"} + valueSet("ONE")).code, 0);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(m_fx->cli(QStringList{"save", "Target", "--overwrite"} + valueSet("TWO")).code, 0);
        const int span = std::max<int>(2000, int(timer.nsecsElapsed() / 1000));
        int whole = 0;
        for (int k = 0; k < 120; ++k) {
            const QString tag = k % 2 ? QStringLiteral("TWO") : QStringLiteral("ONE");
            auto p = m_fx->start(QStringList{"save", "Target", "--overwrite"} + valueSet(tag));
            killAfter(*p, QRandomGenerator::global()->bounded(span));
            const QMap<QString, QString> keys = m_fx->savedKeys("Target");
            const QString problem = wholeSet(keys, tagOf(keys));
            if (problem.isEmpty())
                ++whole;
            else
                qWarning("kill %d: %s", k, qPrintable(problem));
        }
        qInfo("120 saves killed at random: %d/120 left one whole configuration", whole);
        QCOMPARE(whole, 120);
    }

    // A save that does not fit on the disk leaves the file as it was: no configuration half there.
    void saveOnAlmostFullDiskIsWholeOrAbsent() {
        Tmpfs fs(m_base->path() + "/fs", QStringLiteral("256k"));
        if (!fs.valid())
            QSKIP(qPrintable(fs.why()));
        CliFixture onFs(fs.path());
        // Just under one page of 4096 bytes (about 800 bytes a configuration), so that the new one
        // crosses into a second page while only one is free.
        for (int i = 1; QFileInfo(onFs.path("PCBWSAVE.INI")).size() < 3600; ++i)
            QCOMPARE(onFs.cli({"save", QStringLiteral("Old %1").arg(i)}).code, 0);
        const QByteArray before = TestEnv::readHostFile(onFs.path("PCBWSAVE.INI"));
        QVERIFY(fs.fill(1));
        const CliFixture::Result r = onFs.cli(QStringList{"save", "New"} + valueSet("NEW"));
        const QMap<QString, QString> keys = onFs.savedKeys("New");
        if (r.code == 0) {
            QCOMPARE(wholeSet(keys, "NEW"), QString());
        } else {
            QCOMPARE(r.code, 3);
            QVERIFY2(keys.isEmpty(), qPrintable(wholeSet(keys, "NEW")));
            QCOMPARE(TestEnv::readHostFile(onFs.path("PCBWSAVE.INI")), before);
        }
    }

    // kill -9 in the middle of batches: what is left behind is private (0600, 0700), named so it
    // is known, and gone after the next start; the image is always old or new.
    void killedRunsLeaveNothingForLong() {
        const QString image = m_fx->path("A.img");
        QVERIFY(CliFixture::makeImageDiskette(image, CliFixture::sampleWattcp()));
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(m_fx->cli({"batch", "--name", "TIMED", image}).code, 0);
        const int span = int(timer.nsecsElapsed() / 1000);
        QStringList seen;
        int broken = 0;
        int misnamed = 0;
        for (int k = 0; k < 60; ++k) {
            auto p = m_fx->start({"batch", "--name", QStringLiteral("K%1").arg(k), image});
            killAfter(*p, QRandomGenerator::global()->bounded(std::max(span, 1000)));
            if (QFileInfo(image).size() != 1474560 || !TestEnv::fsckClean(image))
                ++broken;
            // Inside a private scratch directory the files need no mode of their own.
            for (const QString& dir : {m_fx->dir(), m_fx->tmpDir()}) {
                for (const QFileInfo& info :
                     QDir(dir).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
                    const QString f = info.absoluteFilePath();
                    if (f == image || seen.contains(f))
                        continue;
                    seen << f;
                    const mode_t mode = Owners::of(f, false).mode;
                    const bool named = info.fileName().contains(QLatin1String(".bw-")) ||
                                       info.fileName().startsWith(QLatin1String("bootwright-"));
                    // Made private; just before it replaces the image it takes the image's own
                    // mode, which shows no more than the image itself does.
                    const bool privateOrAsTarget =
                        info.isDir() ? mode == 0700 : (mode == 0600 || mode == Owners::of(image, false).mode);
                    if (!named || !privateOrAsTarget) {
                        ++misnamed;
                        qWarning("left behind: %s, mode %o", qPrintable(f), unsigned(mode));
                    }
                }
            }
        }
        QCOMPARE(broken, 0);
        QCOMPARE(misnamed, 0);
        qInfo("60 batches killed at random left %lld temporary files or directories on the way",
              static_cast<long long>(seen.size()));
        QCOMPARE(m_fx->cli({"list"}).code, 0);
        QCOMPARE(QDir(m_fx->dir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"A.img"});
        QCOMPARE(QDir(m_fx->tmpDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // A build beside a batch on one image: they take turns, so the build's files are there
    // whichever went last, and WATTCP.CFG holds the build's address with one of the two names.
    void buildBesideBatchTakeTurns() {
        const QString image = m_fx->path("A.img");
        const int pairs = rounds("BW_RACE_PAIRS", 12);
        int whole = 0;
        int failedExits = 0;
        for (int k = 1; k <= pairs; ++k) {
            // The old diskette has no NIC driver; the build adds one.
            QVERIFY(CliFixture::makeImageDiskette(image, CliFixture::sampleWattcp()));
            const QString ip = QStringLiteral("10.0.3.%1").arg(k % 250 + 1);
            const QString built = QStringLiteral("BUILD%1").arg(k);
            const QString batched = QStringLiteral("BATCH%1").arg(k);
            auto pb = m_fx->start(QStringList{"build", "--drive", "A=" + image} + multicastBuild(built, ip));
            auto pa = m_fx->start({"batch", "--name", batched, image});
            failedExits += (CliFixture::finish(*pb).code != 0) + (CliFixture::finish(*pa).code != 0);
            QString problem = builtWhole(image, ip);
            const QByteArray wattcp = TestEnv::mtype(image, "::/WATTCP.CFG");
            if (problem.isEmpty() && !wattcp.contains(QByteArray("HOSTNAME=" + built.toLatin1() + "\r\n")) &&
                !wattcp.contains(QByteArray("HOSTNAME=" + batched.toLatin1() + "\r\n")))
                problem = "WATTCP.CFG names neither: " + QString::fromLatin1(wattcp);
            if (problem.isEmpty())
                ++whole;
            else
                qWarning("pair %d: %s", k, qPrintable(problem));
        }
        qInfo("%d pairs of a build beside a batch: %d diskettes whole with both, %d runs failed", pairs,
              whole, failedExits);
        QCOMPARE(failedExits, 0);
        QCOMPARE(whole, pairs);
    }

    // kill -9 during builds onto existing images: each image is the old one byte for byte or a
    // whole new one, nothing half-made lies under a final name, and the next run clears the
    // working copies away.
    void killedBuildLeavesOldOrNewImage_data() {
        QTest::addColumn<int>("hosts"); // 0: one image by --drive, else a host list of that many
        QTest::newRow("one image") << 0;
        QTest::newRow("host list") << 3;
    }
    void killedBuildLeavesOldOrNewImage() {
        QFETCH(int, hosts);
        const QString out = m_fx->path("out");
        QStringList images;
        QStringList args{"build"};
        if (hosts == 0) {
            images << out + "/A.img";
            args << "--drive"
                 << "A=" + images.first() << multicastBuild("NEW1", "10.0.4.1");
        } else {
            QByteArray csv = "name,address\r\n";
            for (int n = 1; n <= hosts; ++n) {
                csv += QStringLiteral("LAB%1,10.0.4.%1\r\n").arg(n).toLatin1();
                images << QStringLiteral("%1/LAB%2.img").arg(out).arg(n);
            }
            TestEnv::writeHostFile(m_fx->path("lab.csv"), csv);
            args << multicastBuild("X", "10.0.9.9") << "--hosts" << m_fx->path("lab.csv") << "--drive"
                 << "A=" + out + "/{name}.img";
        }
        QVERIFY(QDir().mkpath(out));
        QVERIFY(CliFixture::makeImageDiskette(m_fx->path("old.img"), CliFixture::sampleWattcp()));
        const QByteArray old = TestEnv::readHostFile(m_fx->path("old.img"));
        for (const QString& image : std::as_const(images))
            TestEnv::writeHostFile(image, old);
        QElapsedTimer timer;
        timer.start();
        auto timed = m_fx->start(args);
        QCOMPARE(CliFixture::finish(*timed).code, 0);
        const int span = int(timer.nsecsElapsed() / 1000);

        const int kills = rounds("BW_KILLS", 6);
        int mixed = 0;
        int newOnes = 0;
        for (int k = 0; k < kills; ++k) {
            for (const QString& image : std::as_const(images))
                TestEnv::writeHostFile(image, old);
            auto p = m_fx->start(args);
            killAfter(*p, QRandomGenerator::global()->bounded(span));
            for (qsizetype i = 0; i < images.size(); ++i) {
                if (TestEnv::readHostFile(images[i]) == old)
                    continue;
                const QString problem = builtWhole(images[i], QStringLiteral("10.0.4.%1").arg(i + 1));
                if (problem.isEmpty()) {
                    ++newOnes;
                } else {
                    ++mixed;
                    qWarning("kill %d: %s", k, qPrintable(problem));
                }
            }
            QStringList finals = QDir(out).entryList(QDir::Files);
            for (const QString& image : std::as_const(images))
                finals.removeAll(QFileInfo(image).fileName());
            if (!finals.isEmpty())
                qWarning("kill %d: under final names: %s", k, qPrintable(finals.join(", ")));
            mixed += int(finals.size());
        }
        qInfo("%d builds killed at random: %d images left mixed, %d new and whole, the rest old", kills,
              mixed, newOnes);
        QCOMPARE(mixed, 0);
        auto next = m_fx->start(args);
        QCOMPARE(CliFixture::finish(*next).code, 0);
        QStringList expected;
        for (const QString& image : std::as_const(images))
            expected << QFileInfo(image).fileName();
        expected.sort();
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), expected);
    }
};

QTEST_GUILESS_MAIN(TestCliRaces)
#include "tst_cli_races.moc"
