#include "cli_runner.h"

#include "cli/cli.h"

#include <QFile>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

namespace {

// One standard stream sent to a file for the length of a run. A file, not a pipe: a pipe that
// nobody reads while the run writes would stop the run once it is full.
class StreamCapture {
public:
    explicit StreamCapture(std::FILE* stream) : m_stream(stream), m_fd(::fileno(stream)) {
        std::fflush(m_stream);
        if (!m_file.open())
            qFatal("no temporary file to catch the command line's output in");
        m_saved = ::dup(m_fd);
        if (m_saved < 0 || ::dup2(m_file.handle(), m_fd) < 0)
            qFatal("the command line's output cannot be caught");
        std::clearerr(m_stream);
    }
    StreamCapture(const StreamCapture&) = delete;
    StreamCapture& operator=(const StreamCapture&) = delete;
    ~StreamCapture() { restore(); }

    QByteArray take() {
        restore();
        QFile read(m_file.fileName());
        return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
    }

private:
    void restore() {
        if (m_saved < 0)
            return;
        std::fflush(m_stream);
        ::dup2(m_saved, m_fd);
        ::close(m_saved);
        m_saved = -1;
        // A write error of the run is the run's, not the next output's.
        std::clearerr(m_stream);
    }

    std::FILE* m_stream;
    int m_fd;
    int m_saved = -1;
    QTemporaryFile m_file;
};

// TMPDIR for the length of a run, as the process runner gives it to the program.
class TmpDirFor {
public:
    explicit TmpDirFor(const QString& dir)
        : m_had(qEnvironmentVariableIsSet("TMPDIR")), m_old(qgetenv("TMPDIR")) {
        if (!dir.isEmpty())
            qputenv("TMPDIR", QFile::encodeName(dir));
    }
    TmpDirFor(const TmpDirFor&) = delete;
    TmpDirFor& operator=(const TmpDirFor&) = delete;
    ~TmpDirFor() {
        if (m_had)
            qputenv("TMPDIR", m_old);
        else
            qunsetenv("TMPDIR");
    }

private:
    bool m_had;
    QByteArray m_old;
};

} // namespace

namespace CliRunner {

QString program() {
    // BW_TEST_CLI runs the same tests against another build of the program (an older one, say).
    const QString other = qEnvironmentVariable("BW_TEST_CLI");
    return other.isEmpty() ? QStringLiteral(BW_CLI_PATH) : other;
}

CliResult run(const QStringList& args, const QString& tmpDir) {
    if (qEnvironmentVariableIsSet("BW_TEST_CLI")) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!tmpDir.isEmpty())
            env.insert(QStringLiteral("TMPDIR"), tmpDir);
        return process(args, env);
    }
    // The output's files first, where the tests' own temporary files go: TMPDIR may name a file
    // system the run is meant to find full.
    StreamCapture out(stdout);
    StreamCapture err(stderr);
    const TmpDirFor tmp(tmpDir);
    CliResult result;
    result.code = Cli::run(QStringList{QStringLiteral("bootwright-cli")} + args);
    result.out = out.take();
    result.err = err.take();
    return result;
}

std::unique_ptr<QProcess> start(const QStringList& args, const QProcessEnvironment& env) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env);
    p->setStandardInputFile(QProcess::nullDevice());
    p->start(program(), args);
    p->waitForStarted(10000);
    return p;
}

CliResult finish(QProcess& p, int msecs) {
    p.waitForFinished(msecs);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

CliResult process(const QStringList& args, const QProcessEnvironment& env) {
    const std::unique_ptr<QProcess> p = start(args, env);
    return finish(*p);
}

} // namespace CliRunner
