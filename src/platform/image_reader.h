#pragma once

#include "platform/dos_fs.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

// A file being read from a diskette image. mtools copies the file out whole; the reader works on
// that copy, already unlinked, so nothing is left behind whatever becomes of the reader.
class ImageReader : public DosReader {
public:
    // fetchAttributes is asked only when attributes() is, since it costs another mtools call.
    ImageReader(int fd, QDateTime stamp, std::function<quint8()> fetchAttributes, QString where);
    ~ImageReader() override;
    ImageReader(const ImageReader&) = delete;
    ImageReader& operator=(const ImageReader&) = delete;

    qint64 read(char* data, qint64 size) override;
    QDateTime fileTime() const override { return m_stamp; }
    quint8 attributes() const override;

private:
    int m_fd;
    QDateTime m_stamp;
    std::function<quint8()> m_fetchAttributes;
    QString m_where;
    mutable std::optional<quint8> m_attributes;
};
