#include "platform/image_scratch.h"

#include "platform/host_listings.h"
#include "platform/io_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

QString ImageScratch::newPath() {
    if (!m_dir) {
        // The process id in the name tells the next start whose it was, should this run be killed.
        m_dir =
            std::make_unique<QTemporaryDir>(root() + QStringLiteral("/bootwright-%1-XXXXXX").arg(::getpid()));
        if (!m_dir->isValid()) {
            const QString error = m_dir->errorString();
            m_dir.reset();
            throw IoError(QStringLiteral("Cannot make a scratch directory in %1 for the diskette %2: %3")
                              .arg(root(), m_image, error));
        }
    }
    return m_dir->filePath(QStringLiteral("f%1").arg(++m_count));
}

QString ImageScratch::linkTo(const QString& target) {
    QString link = QFileInfo(newPath()).absolutePath() + QStringLiteral("/d.img");
    const QString absolute = QFileInfo(target).absoluteFilePath();
    if (m_linkTarget == absolute)
        return link;
    const QByteArray linkName = QFile::encodeName(link);
    ::unlink(linkName.constData());
    if (::symlink(QFile::encodeName(absolute).constData(), linkName.constData()) != 0)
        throw IoError(QStringLiteral("Cannot reach the diskette %1: the link %2 cannot be made (%3)")
                          .arg(m_image, link, QString::fromLocal8Bit(std::strerror(errno))));
    m_linkTarget = absolute;
    return link;
}

void ImageScratch::removeStale(const QString& tempDir) {
    // Listed straight, at every start: a QDir name filter compiles a pattern of its own for a
    // folder that may hold hundreds of names.
    static const QRegularExpression name(QStringLiteral("\\Abootwright-(\\d+)-\\w+\\z"));
    for (const QByteArray& raw : HostDirectory::rawEntries(tempDir)) {
        if (!raw.startsWith("bootwright-"))
            continue; // only these names are decoded
        const QString fileName = QFile::decodeName(raw);
        const QRegularExpressionMatch m = name.match(fileName);
        const QString path = tempDir + QLatin1Char('/') + fileName;
        struct stat st {};
        if (!m.hasMatch() || ::lstat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        const qint64 pid = m.captured(1).toLongLong();
        const bool alive = pid > 0 && pid <= std::numeric_limits<pid_t>::max() &&
                           (pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
        if (!alive)
            QDir(path).removeRecursively();
    }
}

QString ImageScratch::root() {
    const QString temp = QDir::tempPath();
    return plainPath(temp) ? temp : QStringLiteral("/tmp");
}

bool ImageScratch::plainPath(const QString& path) {
    return !path.isEmpty() && std::all_of(path.begin(), path.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
               c == u'/' || c == u'.' || c == u'_' || c == u'-' || c == u'+';
    });
}
