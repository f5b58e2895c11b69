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

    // A Multicast build of each host of a list, or of CLIENT1 at 10.0.4.1, from a program folder
    // with the drivers.
    QStringList multicastBuild(const QString& hosts = {}) const {
        TestEnv::writeHostFile(m_fx->path("PCBW.INI"),
                               "[LOCATIONS]\r\nNICDriverPath=" + m_fx->path("nics/").toUtf8());
        for (const QString& f : QStringList{"ne2000.dos"} + kMulticastStackFiles)
            TestEnv::writeHostFile(m_fx->path("nics/" + f), f.toLatin1());
        const QStringList host =
            hosts.isEmpty() ? QStringList{"--set", "multicast.name=CLIENT1"} : QStringList{"--hosts", hosts};
        return QString("build --set multicast.ip=10.0.4.1 --set multicast.mask=255.0.0.0").split(' ') +
               m_fx->buildable() + QStringList{"--set", "nic.driver=" + m_fx->path("nics/NE2000.DOS")} + host;
    }
    // Empty when the image is a whole diskette of such a build for that address, else why not.
    static QString builtWhole(const QString& image, const QString& ip) {
        const QByteArray wattcp = TestEnv::mtype(image, "::/WATTCP.CFG");
        if (!TestEnv::fsckClean(image) || !TestEnv::imageFiles(image).contains("::/NE2000.DOS") ||
            !wattcp.contains(QByteArray("MY_IP=" + ip.toLatin1() + "\r\n")))
            return image + " is not whole, or holds WATTCP.CFG " + QString::fromLatin1(wattcp);
        return {};
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
        const CliFixture::Result r = onFs.process(QStringList{"save", "New"} + valueSet("NEW"));
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

    // A build beside a batch on one image take turns: the build's files are there whichever went
    // last (the batch must not put back the image it copied before the build), with either name.
    void buildBesideBatchTakeTurns() {
        const QString image = m_fx->path("A.img");
        const int pairs = std::max(12, qEnvironmentVariableIntValue("BW_RACE_PAIRS"));
        int whole = 0;
        for (int k = 1; k <= pairs; ++k) {
            QVERIFY(CliFixture::makeImageDiskette(image, CliFixture::sampleWattcp())); // no NIC driver
            auto pb = m_fx->start(multicastBuild() + QStringList{"--drive", "A=" + image});
            auto pa = m_fx->start({"batch", "--name", "BATCH1", image});
            const bool ran = CliFixture::finish(*pb).code == 0 && CliFixture::finish(*pa).code == 0;
            const QByteArray wattcp = TestEnv::mtype(image, "::/WATTCP.CFG");
            const QString problem = builtWhole(image, "10.0.4.1");
            if (ran && problem.isEmpty() &&
                (wattcp.contains("HOSTNAME=CLIENT1") || wattcp.contains("HOSTNAME=BATCH1")))
                ++whole;
            else
                qWarning("pair %d: %s", k, ran ? qPrintable(problem) : "a run failed");
        }
        qInfo("%d pairs of a build beside a batch: %d ran and left a whole diskette", pairs, whole);
        QCOMPARE(whole, pairs);
    }

    // kill -9 during builds onto existing images: each is the old one byte for byte or a whole new
    // one, nothing else lies under a final name, and the next run clears the working copies away.
    void killedBuildLeavesOldOrNewImage_data() {
        QTest::addColumn<int>("hosts"); // 1: one image by --drive, else a host list of that many
        QTest::newRow("one image") << 1;
        QTest::newRow("host list") << 3;
    }
    void killedBuildLeavesOldOrNewImage() {
        QFETCH(int, hosts);
        QByteArray csv = "name,address\r\n";
        QStringList images;
        for (int n = 1; n <= hosts; ++n) {
            csv += QStringLiteral("LAB%1,10.0.4.%1\r\n").arg(n).toLatin1();
            images << m_fx->path(QStringLiteral("out/LAB%1.img").arg(n));
        }
        TestEnv::writeHostFile(m_fx->path("lab.csv"), csv);
        const QStringList args =
            multicastBuild(hosts > 1 ? m_fx->path("lab.csv") : QString()) +
            QStringList{"--drive", "A=" + m_fx->path(hosts > 1 ? "out/{name}.img" : "out/LAB1.img")};
        QVERIFY(CliFixture::makeImageDiskette(m_fx->path("old.img"), CliFixture::sampleWattcp()));
        const QByteArray old = TestEnv::readHostFile(m_fx->path("old.img"));
        int span = 0;
        int mixed = 0;
        const int kills = std::max(6, qEnvironmentVariableIntValue("BW_KILLS"));
        for (int k = 0; k <= kills; ++k) {
            for (const QString& image : std::as_const(images))
                TestEnv::writeHostFile(image, old);
            auto p = m_fx->start(args);
            if (k == 0) { // the first run measures how long a build takes
                QElapsedTimer timer;
                timer.start();
                QCOMPARE(CliFixture::finish(*p).code, 0);
                span = int(timer.nsecsElapsed() / 1000);
                continue;
            }
            killAfter(*p, QRandomGenerator::global()->bounded(span));
            QStringList left = QDir(m_fx->path("out")).entryList(QDir::Files);
            for (qsizetype i = 0; i < images.size(); ++i) {
                left.removeAll(QFileInfo(images[i]).fileName());
                const QString problem = TestEnv::readHostFile(images[i]) == old
                                            ? QString()
                                            : builtWhole(images[i], QStringLiteral("10.0.4.%1").arg(i + 1));
                mixed += !problem.isEmpty();
                if (!problem.isEmpty())
                    qWarning("kill %d: %s", k, qPrintable(problem));
            }
            mixed += int(left.size()); // anything else under a final name
        }
        qInfo("%d builds killed at random: %d images mixed or stray", kills, mixed);
        QCOMPARE(mixed, 0);
        auto next = m_fx->start(args);
        QCOMPARE(CliFixture::finish(*next).code, 0);
        QCOMPARE(
            QDir(m_fx->path("out")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
            hosts);
    }
};

QTEST_GUILESS_MAIN(TestCliRaces)
#include "tst_cli_races.moc"
