#include "platform/virtual_machine.h"

#include "platform/text_codec.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <sys/stat.h>

namespace VirtualMachine {

namespace {

bool isBlockDevice(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISBLK(st.st_mode);
}

// SeaBIOS mirrors the screen to the serial port named in this file (0x3f8, COM1): on a terminal,
// where -nographic shows only COM1, the user then sees what DOS writes to the screen.
const char kSerconCom1[] = "\xf8\x03";

// A value inside one of QEMU's key=value,... options: a comma would end it and start another key.
QString optionValue(QString text) {
    return text.replace(QLatin1Char(','), QLatin1String(",,"));
}

} // namespace

QString program() {
    return QStandardPaths::findExecutable(Program);
}

QString missingMessage() {
    return QStringLiteral("QEMU (%1) is not installed, so the diskette cannot be tried in a virtual "
                          "machine.  Install it with: apt install qemu-system-x86")
        .arg(Program);
}

Display displayForEnvironment() {
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    return env.value(QStringLiteral("DISPLAY")).isEmpty() &&
                   env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()
               ? Display::Terminal
               : Display::Window;
}

QString driveOption(const QString& diskette) {
    const QString path = QFileInfo(diskette).absoluteFilePath();
    const QString driver = isBlockDevice(path) ? QStringLiteral("host_device") : QStringLiteral("file");
    return QStringLiteral("if=floppy,format=raw,snapshot=on,file.driver=%1,file.filename=%2")
        .arg(driver, optionValue(path));
}

// Emulated, not KVM: DOS starts in a second or two that way too, and a /dev/kvm that is there but
// unusable (a container, nested virtualisation) leaves a KVM machine hanging before the BIOS. No
// network card: a tried diskette reaches no network.
QStringList arguments(const QString& diskette, Display display) {
    QStringList args{QStringLiteral("-name"),
                     optionValue(QStringLiteral("Bootwright: %1").arg(QFileInfo(diskette).fileName())),
                     QStringLiteral("-machine"),
                     QStringLiteral("accel=tcg"),
                     QStringLiteral("-m"),
                     QStringLiteral("64"),
                     QStringLiteral("-drive"),
                     driveOption(diskette),
                     QStringLiteral("-boot"),
                     QStringLiteral("a"),
                     QStringLiteral("-nic"),
                     QStringLiteral("none")};
    // Named, because a QEMU without its window modules would otherwise fall back to a VNC server
    // that nobody is told of.
    if (display == Display::Terminal)
        args << QStringLiteral("-nographic");
    else
        args << QStringLiteral("-display") << QStringLiteral("gtk");
    return args;
}

Run::Run(QObject* parent) : QObject(parent) {
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] {
        m_timedOut = true;
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
    });
    connect(&m_process, &QProcess::finished, this, &Run::onFinished);
}

Run::~Run() {
    if (running()) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool Run::start(const QString& diskette, Display display, int seconds) {
    m_problem.clear();
    m_timedOut = false;
    m_diskette = diskette;
    const QString qemu = program();
    if (qemu.isEmpty()) {
        m_problem = missingMessage();
        return false;
    }
    QStringList args = arguments(diskette, display);
    if (display == Display::Terminal) {
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.setInputChannelMode(QProcess::ForwardedInputChannel);
        if (m_sercon.open() && m_sercon.write(kSerconCom1, 2) == 2 && m_sercon.flush())
            args << QStringLiteral("-fw_cfg")
                 << QStringLiteral("name=etc/sercon-port,file=%1").arg(optionValue(m_sercon.fileName()));
    } else {
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardInputFile(QProcess::nullDevice());
    }
    m_process.start(qemu, args);
    if (!m_process.waitForStarted()) {
        m_problem = QStringLiteral("%1 could not be started: %2").arg(qemu, m_process.errorString());
        return false;
    }
    if (seconds > 0)
        m_limit.start(seconds * 1000);
    return true;
}

void Run::waitForEnd() {
    if (!running())
        return;
    QEventLoop loop;
    connect(this, &Run::ended, &loop, &QEventLoop::quit);
    loop.exec();
}

void Run::onFinished(int exitCode, QProcess::ExitStatus status) {
    m_limit.stop();
    if (!m_timedOut && (status != QProcess::NormalExit || exitCode != 0)) {
        const QString said =
            TextCodec::escaped(QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed());
        m_problem =
            QStringLiteral("QEMU ended with status %1 while booting %2%3%4")
                .arg(exitCode)
                .arg(TextCodec::quoted(m_diskette), said.isEmpty() ? QString() : QStringLiteral(": "), said);
    }
    Q_EMIT ended();
}

} // namespace VirtualMachine
