#include "cli_fixture.h"

#include "test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A reader of PCBWSAVE.INI of its own, so that what the tests find does not depend on the
// program's reader: sections and keys without regard to case, the first of each name counts,
// values trimmed and freed of one pair of quotes.
QMap<QString, QMap<QString, QString>> parseIni(const QByteArray& bytes) {
    QMap<QString, QMap<QString, QString>> sections;
    QString current;
    bool inSection = false;
    for (QByteArray raw : bytes.split('\n')) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QString line = QString::fromLatin1(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.contains(QLatin1Char(']'))) {
            current = line.mid(1, line.indexOf(QLatin1Char(']')) - 1).trimmed().toUpper();
            inSection = !sections.contains(current);
            if (inSection)
                sections.insert(current, {});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inSection || eq <= 0 || line.startsWith(QLatin1Char(';')))
            continue;
        const QString key = line.left(eq).trimmed().toUpper();
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        if (!sections[current].contains(key))
            sections[current].insert(key, value);
    }
    return sections;
}

} // namespace

const QByteArray& CliFixture::sampleWattcp() {
    static const QByteArray bytes = "[CLIENT DISKETTE OPERATION]\r\n"
                                    "MY_IP=10.0.0.5\r\n"
                                    "HOSTNAME=CLIENT01\r\n"
                                    "NETMASK=255.255.255.0\r\n";
    return bytes;
}

CliFixture::CliFixture(const QString& base) : m_dir(base + QStringLiteral("/prog")), m_tmp(base + "/tmp") {
    QDir().mkpath(m_dir);
    QDir().mkpath(m_tmp);
}

QStringList CliFixture::buildable() const {
    TestEnv::writeHostFile(path(QStringLiteral("c/client.exe")), "client program\r\n");
    TestEnv::writeHostFile(path(QStringLiteral("c/ne2000.dos")), "driver\r\n");
    return {QStringLiteral("--set"), QStringLiteral("client.program=") + path(QStringLiteral("c/client.exe")),
            QStringLiteral("--set"), QStringLiteral("nic.driver=") + path(QStringLiteral("c/ne2000.dos"))};
}

std::unique_ptr<QProcess> CliFixture::start(const QStringList& args) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), m_tmp);
    return CliRunner::start(QStringList{QStringLiteral("--dir"), m_dir} + args, env);
}

CliFixture::Result CliFixture::process(const QStringList& args) const {
    const std::unique_ptr<QProcess> p = start(args);
    return finish(*p);
}

CliFixture::Result CliFixture::cli(const QStringList& args) const {
    return CliRunner::run(QStringList{QStringLiteral("--dir"), m_dir} + args, m_tmp);
}

bool CliFixture::makeDirectoryDiskette(const QString& dirPath, const QByteArray& wattcp) {
    TestEnv::writeHostFile(dirPath + QStringLiteral("/WATTCP.CFG"), wattcp);
    return TestEnv::readHostFile(dirPath + QStringLiteral("/WATTCP.CFG")) == wattcp;
}

bool CliFixture::makeImageDiskette(const QString& image, const QByteArray& wattcp) {
    if (!TestEnv::makeBlankImage(image))
        return false;
    const QString host = image + QStringLiteral(".wattcp");
    TestEnv::writeHostFile(host, wattcp);
    const int code = TestEnv::run(QStringLiteral("mcopy"), {"-D", "o", "-i", image, host, "::/WATTCP.CFG"});
    QFile::remove(host);
    return code == 0;
}

QByteArray CliFixture::wattcpOf(const QString& diskette) {
    if (QFileInfo(diskette).isDir())
        return TestEnv::readHostFile(diskette + QStringLiteral("/WATTCP.CFG"));
    return TestEnv::mtype(diskette, QStringLiteral("::/WATTCP.CFG"));
}

QMap<QString, QString> CliFixture::savedKeys(const QString& description) const {
    const auto sections = parseIni(TestEnv::readHostFile(path(QStringLiteral("PCBWSAVE.INI"))));
    const QString slot = sections.value(QStringLiteral("SAVED")).value(description.toUpper());
    if (slot.isEmpty())
        return {};
    return sections.value(slot.toUpper());
}

Tmpfs::Tmpfs(const QString& mountPoint, const QString& size) : m_path(mountPoint) {
    QDir().mkpath(m_path);
    if (::geteuid() != 0) {
        m_why = QStringLiteral("mounting a tmpfs needs root");
        return;
    }
    QByteArray out;
    const int code = TestEnv::run(
        QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=" + size + ",mode=0755", "tmpfs", m_path}, &out);
    m_mounted = code == 0;
    if (!m_mounted)
        m_why = QStringLiteral("mount -t tmpfs failed: %1").arg(QString::fromLocal8Bit(out).trimmed());
}

Tmpfs::~Tmpfs() {
    if (m_mounted)
        TestEnv::run(QStringLiteral("umount"), {"-l", m_path});
}

bool Tmpfs::remount(bool readOnly) {
    return TestEnv::run(
               QStringLiteral("mount"),
               {"-o", readOnly ? QStringLiteral("remount,ro") : QStringLiteral("remount,rw"), m_path}) == 0;
}

bool Tmpfs::fill(int pagesLeft) {
    // Room kept aside first, so that the filler takes exactly the rest.
    const QString spare = m_path + QStringLiteral("/.spare");
    if (pagesLeft > 0) {
        QFile s(spare);
        if (!s.open(QIODevice::WriteOnly) || s.write(QByteArray(4096 * pagesLeft, 's')) != 4096 * pagesLeft)
            return false;
        s.close();
    }
    const QByteArray filler = QFile::encodeName(m_path + QStringLiteral("/.filler"));
    const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return false;
    const QByteArray page(4096, 'f');
    while (::write(fd, page.constData(), page.size()) > 0) {
    }
    // Byte by byte into the last partial page, so that not even a small write fits.
    while (::write(fd, "f", 1) > 0) {
    }
    const bool full = errno == ENOSPC;
    ::close(fd);
    if (pagesLeft > 0)
        QFile::remove(spare);
    return full;
}

namespace Owners {

Stat of(const QString& path, bool followLinks) {
    struct stat st {};
    const QByteArray name = QFile::encodeName(path);
    Stat s;
    if ((followLinks ? ::stat(name.constData(), &st) : ::lstat(name.constData(), &st)) != 0)
        return s;
    s.uid = st.st_uid;
    s.gid = st.st_gid;
    s.mode = st.st_mode & 07777;
    s.link = S_ISLNK(st.st_mode);
    return s;
}

bool set(const QString& path, uid_t uid, gid_t gid, mode_t mode) {
    const QByteArray name = QFile::encodeName(path);
    return ::chown(name.constData(), uid, gid) == 0 && ::chmod(name.constData(), mode) == 0;
}

} // namespace Owners

pid_t deadPid() {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return pid;
}
