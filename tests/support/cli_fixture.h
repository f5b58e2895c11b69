#pragma once

#include "cli_runner.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <sys/types.h>

// The real bootwright-cli on real files, as a user's shell runs it: one program directory, a
// private TMPDIR, and the helpers the tests of lost data need (diskettes, full file systems,
// owners, processes started side by side).
class CliFixture {
public:
    using Result = CliResult;

    // base: an existing directory the fixture may fill.
    explicit CliFixture(const QString& base);

    const QString& dir() const { return m_dir; }
    QString path(const QString& rel) const { return m_dir + QLatin1Char('/') + rel; }
    const QString& tmpDir() const { return m_tmp; }

    // bootwright-cli --dir DIR args..., in this process (CliRunner::run).
    Result cli(const QStringList& args) const;
    // The same as a process of its own, waited for: where the process is the point.
    Result process(const QStringList& args) const;
    // Started, not waited for: for processes that race each other or are killed.
    std::unique_ptr<QProcess> start(const QStringList& args) const;
    static Result finish(QProcess& process) { return CliRunner::finish(process); }

    // The --set values a build needs to pass the wizard's pages: a client program and a NIC driver
    // that exist (placeholders the fixture writes).
    QStringList buildable() const;

    // A Multicast diskette whose WATTCP.CFG holds these bytes: a directory, or an image made with
    // mformat and filled with mcopy.
    static bool makeDirectoryDiskette(const QString& dirPath, const QByteArray& wattcp);
    static bool makeImageDiskette(const QString& image, const QByteArray& wattcp);
    static QByteArray wattcpOf(const QString& diskette); // a directory's or an image's WATTCP.CFG
    static const QByteArray& sampleWattcp();

    // The values of one saved configuration as the file holds them, key by key; empty when the
    // description has no entry.
    QMap<QString, QString> savedKeys(const QString& description) const;

private:
    QString m_dir;
    QString m_tmp;
};

// A small tmpfs mounted for one test and unmounted after it: a real file system that fills up.
// Needs root; valid() is false (and why() says why) where mounting is impossible.
class Tmpfs {
public:
    Tmpfs(const QString& mountPoint, const QString& size);
    ~Tmpfs();
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;

    bool valid() const { return m_mounted; }
    QString why() const { return m_why; }
    const QString& path() const { return m_path; }
    // Fills the file system with a filler file until a write fails, keeping free exactly
    // pagesLeft pages of 4096 bytes.
    bool fill(int pagesLeft = 0);
    // Mounts it again read-only (or read-write).
    bool remount(bool readOnly);

private:
    QString m_path;
    bool m_mounted = false;
    QString m_why;
};

namespace Owners {
struct Stat {
    uid_t uid = 0;
    gid_t gid = 0;
    mode_t mode = 0;
    bool link = false;
};
Stat of(const QString& path, bool followLinks = true);
bool set(const QString& path, uid_t uid, gid_t gid, mode_t mode);
} // namespace Owners

// A process id that belonged to a process which has ended, as a killed run leaves behind.
pid_t deadPid();
