#include "platform/image_reader.h"

#include "platform/io_error.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

ImageReader::ImageReader(int fd, QDateTime stamp, std::function<quint8()> fetchAttributes, QString where)
    : m_fd(fd), m_stamp(std::move(stamp)), m_fetchAttributes(std::move(fetchAttributes)),
      m_where(std::move(where)) {}

ImageReader::~ImageReader() {
    ::close(m_fd);
}

qint64 ImageReader::read(char* data, qint64 size) {
    for (;;) {
        const ssize_t n = ::read(m_fd, data, size_t(size));
        if (n >= 0)
            return n;
        if (errno != EINTR)
            throw IoError(QStringLiteral("Cannot read %1: %2")
                              .arg(m_where, QString::fromLocal8Bit(std::strerror(errno))));
    }
}

quint8 ImageReader::attributes() const {
    if (!m_attributes)
        m_attributes = m_fetchAttributes();
    return *m_attributes;
}
