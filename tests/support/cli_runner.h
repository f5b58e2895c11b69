#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>

// The one way tests run bootwright-cli. run() calls the command line in this process, its standard
// output and error caught byte for byte; a real process is started only where the process is the
// point: kills, races, signals, a full file system, devices, a lost standard output, the program
// directory found beside the program.
struct CliResult {
    int code = -1; // -1: did not end normally (killed, crashed)
    QByteArray out;
    QByteArray err;
};

namespace CliRunner {
// Cli::run with these arguments; tmpDir, when given, is TMPDIR for the run. With BW_TEST_CLI set
// the run is a process of that program instead, so that every test can judge another build.
CliResult run(const QStringList& args, const QString& tmpDir = {});

// The program under test: this build's bootwright-cli, or the one BW_TEST_CLI names.
QString program();
// Started with standard input from /dev/null, not waited for.
std::unique_ptr<QProcess> start(const QStringList& args,
                                const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
CliResult finish(QProcess& process, int msecs = 300000);
// Started and waited for.
CliResult process(const QStringList& args,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
} // namespace CliRunner
