#include "cli_fixture.h"
#include "platform/io_error.h"
#include "platform/replacement_file.h"
#include "test_env.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// The one writer of replaced files: what is left on the disk after success, after every kind of
// failure, and what a killed run leaves for the next start.
class TestReplacementFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name) const { return m_dir->filePath(name); }
    QStringList entries() const {
        return QDir(m_dir->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { ReplacementFile::setCommitHookForTesting(nullptr); }

    // The temporary file lies beside the target, private and named after its process.
    void temporaryFileIsPrivateAndNamed() {
        TestEnv::writeHostFile(path("T.INI"), "old");
        QVERIFY(::chmod(QFile::encodeName(path("T.INI")).constData(), 0644) == 0);
        {
            ReplacementFile file(path("T.INI"));
            file.write("new contents");
            QCOMPARE(QFileInfo(file.tempPath()).absolutePath(), m_dir->path());
            QVERIFY(QFileInfo(file.tempPath())
                        .fileName()
                        .startsWith(QStringLiteral(".T.INI.bw-tmp.%1.").arg(::getpid())));
            QVERIFY(ReplacementFile::isTemporaryName(QFileInfo(file.tempPath()).fileName()));
            QCOMPARE(Owners::of(file.tempPath()).mode, mode_t(0600));
            QCOMPARE(TestEnv::readHostFile(path("T.INI")), QByteArray("old"));
            file.commit();
        }
        QCOMPARE(TestEnv::readHostFile(path("T.INI")), QByteArray("new contents"));
        QCOMPARE(Owners::of(path("T.INI")).mode, mode_t(0644));
        QCOMPARE(entries(), QStringList{"T.INI"});
    }

    void newFileTakesTheUmask() {
        const mode_t mask = ::umask(027);
        ReplacementFile::replace(path("NEW.INI"), "x");
        ::umask(mask);
        QCOMPARE(Owners::of(path("NEW.INI")).mode, mode_t(0640));
    }

    // Whatever fails, the old file stays whole and nothing is left beside it.
    void failureLeavesTheOldFileWhole_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("not committed") << "abandon";
        QTest::newRow("failure at the last moment") << "hook";
        QTest::newRow("full file system") << "full";
    }
    void failureLeavesTheOldFileWhole() {
        QFETCH(QString, how);
        std::unique_ptr<Tmpfs> fs;
        QString dir = m_dir->path();
        if (how == QLatin1String("full")) {
            fs = std::make_unique<Tmpfs>(path("fs"), QStringLiteral("64k"));
            if (!fs->valid())
                QSKIP(qPrintable(fs->why()));
            dir = fs->path();
        }
        const QString target = dir + QStringLiteral("/T.INI");
        TestEnv::writeHostFile(target, "old contents");
        if (fs)
            QVERIFY(fs->fill());
        const QByteArray big(20000, 'n');
        try {
            ReplacementFile file(target);
            file.write(big);
            if (how == QLatin1String("hook"))
                ReplacementFile::setCommitHookForTesting(
                    [](const QString&) { throw std::runtime_error("crash"); });
            if (how != QLatin1String("abandon"))
                file.commit();
            QVERIFY(how == QLatin1String("abandon"));
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains(target), qPrintable(e.message()));
            if (how == QLatin1String("full"))
                QVERIFY2(e.message().contains(QString::fromLocal8Bit(std::strerror(ENOSPC))),
                         qPrintable(e.message()));
        }
        QCOMPARE(TestEnv::readHostFile(target), QByteArray("old contents"));
        QStringList left = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.removeAll(QStringLiteral(".filler"));
        QCOMPARE(left, QStringList{"T.INI"});
    }

    // A link stays a link, however many stand in the way; the file at the end is replaced.
    void writesThroughLinks_data() {
        QTest::addColumn<int>("hops");
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("one link") << 1 << true;
        QTest::newRow("three links") << 3 << true;
        QTest::newRow("a link to a file not yet there") << 1 << false;
    }
    void writesThroughLinks() {
        QFETCH(int, hops);
        QFETCH(bool, targetExists);
        QDir().mkpath(path("real"));
        const QString real = path("real/T.INI");
        if (targetExists)
            TestEnv::writeHostFile(real, "old");
        QString target = real;
        for (int i = 1; i <= hops; ++i) {
            const QString link = path(QStringLiteral("l%1").arg(i));
            QVERIFY(QFile::link(target, link));
            target = link;
        }
        ReplacementFile::replace(target, "new");
        QCOMPARE(TestEnv::readHostFile(real), QByteArray("new"));
        for (int i = 1; i <= hops; ++i)
            QVERIFY(QFileInfo(path(QStringLiteral("l%1").arg(i))).isSymLink());
        QCOMPARE(QDir(path("real")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"T.INI"});
    }

    void refusesWhatIsNoRegularFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a directory") << "dir";
        QTest::newRow("a fifo") << "fifo";
        QTest::newRow("a loop of links") << "loop";
    }
    void refusesWhatIsNoRegularFile() {
        QFETCH(QString, kind);
        const QString target = path("T.INI");
        if (kind == QLatin1String("dir"))
            QVERIFY(QDir().mkdir(target));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        else {
            QVERIFY(QFile::link(path("other"), target));
            QVERIFY(QFile::link(target, path("other")));
        }
        QVERIFY_THROWS_EXCEPTION(IoError, ReplacementFile::replace(target, "x"));
        QStringList left = entries();
        left.removeAll(QStringLiteral("other"));
        QCOMPARE(left, QStringList{"T.INI"});
    }

    // Temporary files of processes that have ended go; those of a live one, and other files, stay.
    void removesWhatEndedProcessesLeft() {
        const pid_t dead = deadPid();
        const QString mine = QStringLiteral(".A.img.bw-tmp.%1.x1").arg(::getpid());
        const QStringList stale{QStringLiteral(".A.img.bw-tmp.%1.x2").arg(dead),
                                QStringLiteral(".PCBWSAVE.INI.bw-tmp.%1.abc").arg(dead)};
        const QStringList kept{mine, "A.img", ".A.img.bw-tmp.notapid.x", "A.img.bw-tmp.1.x"};
        for (const QString& name : stale + kept)
            TestEnv::writeHostFile(path(name), "x");
        ReplacementFile::removeStale(m_dir->path(), QStringLiteral("PCBWSAVE.INI"));
        QVERIFY(!QFileInfo::exists(path(stale[1])));
        QVERIFY(QFileInfo::exists(path(stale[0])));
        ReplacementFile::removeStale(m_dir->path());
        QStringList expected = kept;
        QStringList left = entries();
        expected.sort();
        left.sort();
        QCOMPARE(left, expected);
    }
};

QTEST_GUILESS_MAIN(TestReplacementFile)
#include "tst_replacement_file.moc"
