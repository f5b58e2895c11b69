#pragma once

// A volume that hands back one file altered when it is read back, as a diskette with a bad
// sector would: everything else goes to the real volume underneath (a replaced file is written
// in place there, and read back through this volume).

#include "platform/volume.h"

#include <memory>

class CorruptingVolume : public Volume {
public:
    CorruptingVolume(std::unique_ptr<Volume> inner, QString name)
        : m_inner(std::move(inner)), m_name(std::move(name)) {}

    QList<ReadBack> readBack(const QList<VolumePath>& paths) override {
        QList<ReadBack> read = m_inner->readBack(paths);
        for (qsizetype i = 0; i < paths.size() && i < read.size(); ++i) {
            if (!paths[i].parts.isEmpty() &&
                paths[i].parts.last().compare(m_name, Qt::CaseInsensitive) == 0 && !read[i].data.isEmpty()) {
                read[i].data[read[i].data.size() / 2] = char(read[i].data[read[i].data.size() / 2] ^ 0x20);
                ++corrupted;
            }
        }
        return read;
    }
    int corrupted = 0;

    bool fileExists(const VolumePath& p) override { return m_inner->fileExists(p); }
    bool directoryExists(const VolumePath& p) override { return m_inner->directoryExists(p); }
    std::unique_ptr<DosReader> openRead(const VolumePath& p) override { return m_inner->openRead(p); }
    std::unique_ptr<DosWriter> create(const VolumePath& p) override { return m_inner->create(p); }
    void remove(const VolumePath& p) override { m_inner->remove(p); }
    void makeDirectory(const VolumePath& p) override { m_inner->makeDirectory(p); }
    QDateTime fileTime(const VolumePath& p) override { return m_inner->fileTime(p); }
    void setFileTime(const VolumePath& p, const QDateTime& t) override { m_inner->setFileTime(p, t); }
    quint8 attributes(const VolumePath& p) override { return m_inner->attributes(p); }
    void setAttributes(const VolumePath& p, quint8 a) override { m_inner->setAttributes(p, a); }
    QString fileIdentity(const VolumePath& p) override { return m_inner->fileIdentity(p); }
    qint64 fileSize(const VolumePath& p) override { return m_inner->fileSize(p); }
    VolumeSpace space() override { return m_inner->space(); }
    QString describe(const VolumePath& p) override { return m_inner->describe(p); }
    QString checkFileSystem() override { return m_inner->checkFileSystem(); }
    void holdListings(bool on) override { m_inner->holdListings(on); }

private:
    std::unique_ptr<Volume> m_inner;
    QString m_name;
};
