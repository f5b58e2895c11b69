#pragma once

#include "platform/image_volume.h"

#include <QFile>

// A file being written to a diskette image. It takes bytes up to what the diskette can hold (its
// free space plus the whole clusters of the file it replaces) and falls short beyond that, as a
// DOS write on a full diskette does; the bytes gather in memory (while the volume changes the
// diskette in memory) or in a scratch file, and reach the image, with their date, when the writer
// is closed.
class ImageWriter : public DosWriter {
public:
    ImageWriter(ImageVolume& volume, VolumePath path, ImageVolume::Space space);
    ~ImageWriter() override;
    ImageWriter(const ImageWriter&) = delete;
    ImageWriter& operator=(const ImageWriter&) = delete;

    qint64 write(const char* data, qint64 size) override;
    void setFileTime(const QDateTime& stamp) override { m_stamp = stamp; }
    void close() override;

private:
    void finish();

    ImageVolume& m_volume;
    VolumePath m_path;
    ImageVolume::Space m_space;
    bool m_inMemory; // the bytes wait in m_bytes, not in a scratch file
    QByteArray m_bytes;
    QFile m_scratch;
    qint64 m_size = 0;
    QDateTime m_stamp;
    bool m_closed = false;
};
