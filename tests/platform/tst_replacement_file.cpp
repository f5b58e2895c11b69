#include "cli_fixture.h"
#include "platform/io_error.h"
#include "platform/replacement_file.h"
#include "test_env.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
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
    }
    void failureLeavesTheOldFileWhole() {
        QFETCH(QString, how);
        const QString target = path("T.INI");
        TestEnv::writeHostFile(target, "old contents");
        try {
            ReplacementFile file(target);
            file.write(QByteArray(20000, 'n'));
            if (how == QLatin1String("hook"))
                ReplacementFile::setCommitHookForTesting(
                    [](const QString&) { throw std::runtime_error("crash"); });
            if (how != QLatin1String("abandon"))
                file.commit();
            QVERIFY(how == QLatin1String("abandon"));
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains(target), qPrintable(e.message()));
        }
        QCOMPARE(TestEnv::readHostFile(target), QByteArray("old contents"));
        QCOMPARE(entries(), QStringList{"T.INI"});
    }

    // A link to a file not there yet makes the file where the link points; the link stays.
    void linkToAFileNotYetThere() {
        QDir().mkpath(path("real"));
        QVERIFY(QFile::link(path("real/T.INI"), path("link")));
        ReplacementFile::replace(path("link"), "new");
        QCOMPARE(TestEnv::readHostFile(path("real/T.INI")), QByteArray("new"));
        QVERIFY(QFileInfo(path("link")).isSymLink());
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
        QStringList kept{mine, "A.img", ".A.img.bw-tmp.notapid.x", "A.img.bw-tmp.1.x"};
        for (const QString& name : stale + kept)
            TestEnv::writeHostFile(path(name), "x");
        // Only files: a folder or a link of such a name stays, and so does what the link points to.
        const QString folder = QStringLiteral(".B.bw-tmp.%1.d").arg(dead);
        const QString link = QStringLiteral(".C.bw-tmp.%1.l").arg(dead);
        QVERIFY(QDir().mkdir(path(folder)));
        QVERIFY(QFile::link(path("A.img"), path(link)));
        kept << folder << link;
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
