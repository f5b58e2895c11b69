#include "platform/image_writer.h"

#include "platform/io_error.h"

#include <algorithm>

ImageWriter::ImageWriter(ImageVolume& volume, VolumePath path, ImageVolume::Space space)
    : m_volume(volume), m_path(std::move(path)), m_space(std::move(space)), m_inMemory(volume.inMemory()) {
    if (m_inMemory)
        return;
    m_scratch.setFileName(volume.scratchPath());
    // The scratch file is made at once so that a file that cannot be written fails at create().
    if (!m_scratch.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw IoError(QStringLiteral("Cannot create %1: the scratch file %2 cannot be written (%3)")
                          .arg(m_volume.where(m_path), m_scratch.fileName(), m_scratch.errorString()));
}

ImageWriter::~ImageWriter() {
    try {
        finish();
    } catch (const IoError&) {
    }
    if (!m_inMemory)
        QFile::remove(m_scratch.fileName());
}

qint64 ImageWriter::write(const char* data, qint64 size) {
    if (m_closed)
        throw IoError(QStringLiteral("Cannot write %1: the file is closed").arg(m_volume.where(m_path)));
    const qint64 take = std::clamp(m_space.capacity - m_size, qint64(0), size);
    if (m_inMemory)
        m_bytes.append(data, take);
    else if (take > 0 && m_scratch.write(data, take) != take)
        throw IoError(QStringLiteral("Cannot write %1: the scratch file %2 cannot be written (%3)")
                          .arg(m_volume.where(m_path), m_scratch.fileName(), m_scratch.errorString()));
    m_size += take;
    return take;
}

void ImageWriter::close() {
    finish();
}

void ImageWriter::finish() {
    if (m_closed)
        return;
    m_closed = true;
    if (m_inMemory) {
        m_volume.storeBytes(m_bytes, m_stamp, m_space, m_path);
        return;
    }
    // After the flush: writing the last bytes would stamp the file with the current time again.
    const bool flushed = m_scratch.flush();
    const bool stamped =
        !m_stamp.isValid() || m_scratch.setFileTime(m_stamp, QFileDevice::FileModificationTime);
    m_scratch.close();
    if (!stamped || !flushed) {
        QFile::remove(m_scratch.fileName());
        throw IoError(QStringLiteral("Cannot write %1: the scratch file %2 cannot be written (%3)")
                          .arg(m_volume.where(m_path), m_scratch.fileName(), m_scratch.errorString()));
    }
    try {
        m_volume.store(m_scratch.fileName(), m_size, m_space, m_path, m_stamp.isValid());
    } catch (const IoError&) {
        QFile::remove(m_scratch.fileName());
        throw;
    }
    QFile::remove(m_scratch.fileName());
}
