#include "platform/regular_file.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

RegularFileRead failed(RegularFileRead::Outcome outcome, int error) {
    RegularFileRead out;
    out.outcome = outcome;
    out.error = QString::fromLocal8Bit(std::strerror(error));
    return out;
}

RegularFileRead tooLarge(qint64 size) {
    RegularFileRead out;
    out.outcome = RegularFileRead::Outcome::TooLarge;
    out.size = size;
    return out;
}

} // namespace

RegularFileRead readRegularFile(const QString& path, qint64 maxBytes) {
    using Outcome = RegularFileRead::Outcome;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return failed(errno == ENOENT ? Outcome::Missing : Outcome::Failed, errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return failed(Outcome::Failed, errno);
    if (!S_ISREG(st.st_mode)) {
        RegularFileRead out;
        out.outcome = S_ISDIR(st.st_mode) ? Outcome::Folder : Outcome::NotRegular;
        return out;
    }
    if (st.st_size > maxBytes)
        return tooLarge(st.st_size);
    // One byte more than the size seen, to notice a file that grew since.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype used = 0;
    for (;;) {
        if (used == bytes.size()) {
            if (used > maxBytes)
                return tooLarge(used);
            bytes.resize(std::min<qsizetype>(used * 2 + 4096, maxBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + used, size_t(bytes.size() - used));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(Outcome::Failed, errno);
        if (n == 0)
            break;
        used += n;
    }
    bytes.truncate(used);
    RegularFileRead out;
    out.bytes = bytes;
    return out;
}
