#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>
#include <QTimer>

// Boots a diskette in QEMU so that a user can see it start before carrying it to a computer. The
// machine sees the diskette through a snapshot: whatever the system on it writes stays in QEMU's
// scratch copy, never in the image or on the device. The command line and the wizard both start
// it from here.
namespace VirtualMachine {

inline const QString Program = QStringLiteral("qemu-system-x86_64");

enum class Display { Window, Terminal };

// The QEMU binary on PATH, or an empty text when it is not installed.
QString program();
// What to tell a user who has no QEMU.
QString missingMessage();
// A window when a desktop is there (DISPLAY or WAYLAND_DISPLAY), else QEMU's own terminal.
Display displayForEnvironment();
// The -drive value for the diskette: an absolute path with QEMU's explicit file or device driver,
// so that no "name:" in it reads as a protocol, and commas doubled as QEMU's option syntax wants.
QString driveOption(const QString& diskette);
// Every argument after the program, for a machine that boots the diskette from its floppy drive.
QStringList arguments(const QString& diskette, Display display);

// One running machine. Ends by itself when the user closes it or after the time limit.
class Run : public QObject {
    Q_OBJECT
public:
    explicit Run(QObject* parent = nullptr);
    ~Run() override;
    // Starts QEMU; seconds <= 0: no time limit. Terminal: QEMU takes this process's terminal.
    // false, with problem() set, when QEMU is missing or does not start.
    bool start(const QString& diskette, Display display, int seconds);
    // Waits until the machine ends (by the user, by itself or by the time limit).
    void waitForEnd();
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    // Why the machine did not start or ended with an error; empty when all went well.
    QString problem() const { return m_problem; }

Q_SIGNALS:
    void ended();

private:
    void onFinished(int exitCode, QProcess::ExitStatus status);
    QProcess m_process;
    QTimer m_limit;
    QTemporaryFile m_sercon;
    QString m_diskette;
    bool m_timedOut = false;
    QString m_problem;
};

} // namespace VirtualMachine
