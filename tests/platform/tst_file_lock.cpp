#include "platform/file_lock.h"
#include "platform/io_error.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Another process that takes the lock file as the program would, tells through a pipe that it
// holds it, and keeps it until it is killed or its time is up.
struct Holder {
    pid_t pid = -1;

    Holder(const QString& lockFile, int operation, int holdMs) {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]);
            const int flags = QFileInfo(lockFile).isDir() ? O_RDONLY : O_RDONLY | O_CREAT;
            const int fd = ::open(QFile::encodeName(lockFile).constData(), flags, 0644);
            if (fd < 0 || ::flock(fd, operation) != 0)
                ::_exit(1);
            [[maybe_unused]] const ssize_t told = ::write(ready[1], "x", 1);
            ::usleep(static_cast<useconds_t>(holdMs) * 1000);
            ::_exit(0);
        }
        ::close(ready[1]);
        char c = 0;
        [[maybe_unused]] const ssize_t heard = ::read(ready[0], &c, 1);
        ::close(ready[0]);
    }
    ~Holder() { end(SIGKILL); }
    void end(int signal) {
        if (pid <= 0)
            return;
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
    }
    bool running() const { return pid > 0 && ::waitpid(pid, nullptr, WNOHANG) == 0; }
};

} // namespace

// Locks between real processes: the kernel's flock, as two programs on one machine meet it.
class TestFileLock : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString file() const { return m_dir->filePath(QStringLiteral("PCBWSAVE.INI")); }
    QString lockFile() const { return FileLock::lockFileName(file()); }

private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Who waits for whom: the second holder gets the lock only after the first let it go, except
    // that readers share it.
    void waitsForAnotherProcess_data() {
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<bool>("waits");
        QTest::newRow("exclusive after exclusive") << int(LOCK_EX) << int(FileLock::Mode::Exclusive) << true;
        QTest::newRow("shared after exclusive") << int(LOCK_EX) << int(FileLock::Mode::Shared) << true;
        QTest::newRow("exclusive after shared") << int(LOCK_SH) << int(FileLock::Mode::Exclusive) << true;
        QTest::newRow("shared beside shared") << int(LOCK_SH) << int(FileLock::Mode::Shared) << false;
    }
    void waitsForAnotherProcess() {
        QFETCH(int, held);
        QFETCH(int, wanted);
        QFETCH(bool, waits);
        Holder other(lockFile(), held, 400);
        QVERIFY(other.pid > 0);
        const FileLock lock = FileLock::beside(file(), FileLock::Mode(wanted));
        QVERIFY(lock.held());
        QCOMPARE(!other.running(), waits);
    }

    // A lock whose process was killed blocks nobody.
    void killedHolderBlocksNobody() {
        Holder other(lockFile(), LOCK_EX, 60000);
        QVERIFY(other.running());
        other.end(SIGKILL);
        QElapsedTimer timer;
        timer.start();
        const FileLock lock = FileLock::beside(file(), FileLock::Mode::Exclusive);
        QVERIFY(lock.held());
        QVERIFY(timer.elapsed() < 1000);
    }

    // Nested holders in one thread share the lock instead of waiting for themselves; it is let go
    // with the last of them.
    void nestedHoldersShare() {
        FileLock::beside(file(), FileLock::Mode::Exclusive); // makes the lock file
        {
            const FileLock outer = FileLock::beside(file(), FileLock::Mode::Shared);
            const FileLock inner = FileLock::beside(file(), FileLock::Mode::Exclusive);
            QVERIFY(outer.held() && inner.held());
        }
        Holder other(lockFile(), LOCK_EX | LOCK_NB, 0);
        int status = 0;
        ::waitpid(other.pid, &status, 0);
        other.pid = -1;
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    // A reader of a file nobody has written yet needs no lock file and makes none.
    void readerMakesNoLockFile() {
        const FileLock lock = FileLock::beside(file(), FileLock::Mode::Shared);
        QVERIFY(!lock.held());
        QVERIFY(!QFileInfo::exists(lockFile()));
    }

    // A served folder is locked as itself: the other process is waited for, and nothing appears in it.
    void folderIsLockedAsItself() {
        Holder other(m_dir->path(), LOCK_EX, 400);
        QVERIFY(other.pid > 0);
        const FileLock lock = FileLock::onFolder(m_dir->path(), FileLock::Mode::Exclusive);
        QVERIFY(lock.held());
        QVERIFY(!other.running());
        QVERIFY(QDir(m_dir->path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void lockFileThatCannotBeMadeIsReported() {
        const QString missing = m_dir->filePath(QStringLiteral("no/such/PCBW.INI"));
        try {
            FileLock::beside(missing, FileLock::Mode::Exclusive);
            QFAIL("no IoError");
        } catch (const IoError& e) {
            QVERIFY2(e.message().contains(missing), qPrintable(e.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestFileLock)
#include "tst_file_lock.moc"
