#pragma once

// A real small file system (tmpfs of a given size) mounted on a directory for one test, to meet a
// full disk as a user does. Needs the right to mount (root, as the tests run in CI); ok() says
// whether it is there.

#include "test_env.h"

#include <QDir>
#include <QString>

class SmallDisk {
public:
    SmallDisk(const QString& dir, qint64 bytes) : m_dir(dir) {
        QDir().mkpath(dir);
        m_ok =
            TestEnv::run(QStringLiteral("mount"), {"-t", "tmpfs", "-o", QStringLiteral("size=%1").arg(bytes),
                                                   "bootwright-test", dir}) == 0;
    }
    ~SmallDisk() {
        if (m_ok)
            TestEnv::run(QStringLiteral("umount"), {m_dir});
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool ok() const { return m_ok; }

private:
    QString m_dir;
    bool m_ok = false;
};
