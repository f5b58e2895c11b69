#pragma once

#include "platform/host_listings.h"
#include "platform/volume.h"

// Files in a host directory tree: a drive letter mapped to a directory, or the host's own tree for
// paths that name no drive. A name that does not exist in the spelling given is looked up without
// regard to letter case and trailing dots, so "C:\NICS\NE2000.DOS" finds nics/ne2000.dos.
class DirectoryVolume : public Volume {
public:
    // root: the host directory that the volume's root stands for ("/" for the host tree).
    explicit DirectoryVolume(QString root);

    bool fileExists(const VolumePath& path) override;
    bool directoryExists(const VolumePath& path) override;
    std::unique_ptr<DosReader> openRead(const VolumePath& path) override;
    std::unique_ptr<DosWriter> create(const VolumePath& path) override;
    void remove(const VolumePath& path) override;
    void makeDirectory(const VolumePath& path) override;
    QDateTime fileTime(const VolumePath& path) override;
    void setFileTime(const VolumePath& path, const QDateTime& stamp) override;
    quint8 attributes(const VolumePath& path) override;
    std::optional<quint8> attributesIfPresent(const VolumePath& path) override;
    void setAttributes(const VolumePath& path, quint8 attributes) override;
    QString fileIdentity(const VolumePath& path) override;
    void replaceFile(const VolumePath& path, const QByteArray& data) override;
    FileLock lockForUpdate(const VolumePath& path) override;
    qint64 fileSize(const VolumePath& path) override;
    VolumeSpace space() override;
    QString describe(const VolumePath& path) override;
    QList<ReadBack> readBack(const QList<VolumePath>& paths) override;
    void holdListings(bool on) override { m_listings.hold(on); }

    // The host path a volume path stands for: existing components in their spelling on disk, the
    // rest as given. found is how many leading components exist.
    struct Resolved {
        QString hostPath;
        qsizetype found = 0;
    };
    Resolved resolve(const QStringList& parts) const;

private:
    QString where(const VolumePath& path, const QString& hostPath) const;
    // The host path of an existing file or directory; throws "Cannot <verb> ...: no such file".
    QString existing(const VolumePath& path, const QString& verb) const;
    QString m_root;
    mutable HostListings m_listings; // resolve() reads through it
};
