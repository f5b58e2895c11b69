// A build's working copy changed in memory: no mtools process for what the editor does exactly.
#include "platform/dos_path.h"
#include "platform/fat_editor.h"
#include "platform/image_volume.h"
#include "platform/replacement_file.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

FatEditor* ImageVolume::editor() {
    if (!m_work || !m_workMade || m_device || m_editorDeclined)
        return nullptr;
    // Nothing else should write the working copy; should something do so all the same, the
    // editor reads it anew rather than write over the change.
    if (m_editor && !m_editor->unchangedOnDisk(file()))
        m_editor.reset();
    if (!m_editor) {
        m_editor = FatEditor::load(file());
        m_editorDeclined = !m_editor;
    }
    return m_editor.get();
}

void ImageVolume::saveEditor() {
    if (m_editor && m_editor->changed()) {
        dropCheck();
        m_editor->save(file(), m_image);
    }
}

std::optional<FatFree> ImageVolume::currentFree() {
    if (FatEditor* fat = editor())
        return FatFree{fat->layout().clusterBytes(), fat->freeBytes(), fat->freeRootEntries()};
    flushQueued();
    return FatImage::readFree(file());
}

bool ImageVolume::listInMemory(const QStringList& dirParts, std::optional<Mtools::Listing>* out) {
    FatEditor* fat = editor();
    if (!fat)
        return false;
    const FatEditor::Listing listed = fat->list(dirParts);
    if (!listed.supported)
        return false;
    if (!listed.exists) {
        *out = std::nullopt;
        return true;
    }
    Mtools::Listing listing;
    listing.freeBytes = fat->freeBytes();
    for (const FatEditor::Entry& entry : listed.entries)
        listing.entries.append({entry.name, {}, entry.directory, entry.size});
    *out = listing;
    return true;
}

bool ImageVolume::storeInMemory(const QByteArray& data, const QDateTime& stamp, const VolumePath& path) {
    FatEditor* fat = editor();
    if (!fat || fat->write(path.parts, data, stamp, DosAttr::Archive) != FatEditor::Outcome::Done)
        return false;
    saveEditor(); // at once: the working copy always holds what the editor holds
    return true;
}

bool ImageVolume::storeFileInMemory(const QString& hostFile, const VolumePath& path, bool keepHostTime) {
    if (!editor())
        return false;
    QFile host(hostFile);
    if (!host.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = host.readAll();
    // As mcopy stamps it: the host file's time when that is kept, else the time of the copy.
    return data.size() == host.size() &&
           storeInMemory(
               data, keepHostTime ? QFileInfo(hostFile).lastModified() : QDateTime::currentDateTime(), path);
}

void ImageVolume::storeBytes(const QByteArray& data, const QDateTime& stamp, const Space& space,
                             const VolumePath& path) {
    const Space current = remeasured(space, data.size(), path);
    if (storeInMemory(data, stamp.isValid() ? stamp : QDateTime::currentDateTime(), path)) {
        noteStored(current.target);
        return;
    }
    const QString host = scratchPath();
    QFile file(host);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush() &&
                         (!stamp.isValid() || file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();
    try {
        if (!written)
            throw IoError(QStringLiteral("Cannot write %1: the scratch file %2 cannot be written (%3)")
                              .arg(where(path), host, file.errorString()));
        store(host, data.size(), current, path, stamp.isValid());
    } catch (const IoError&) {
        QFile::remove(host);
        throw;
    }
    QFile::remove(host);
}

std::optional<FatEditor::Entry> ImageVolume::entryInMemory(const VolumePath& path, bool* known) {
    if (known)
        *known = false;
    FatEditor* fat = path.parts.isEmpty() ? nullptr : editor();
    if (!fat)
        return std::nullopt;
    const FatEditor::Listing listed = fat->list(path.parts.mid(0, path.parts.size() - 1));
    if (known)
        *known = listed.supported;
    const QString name = DosPath::normalizeName(path.parts.last());
    for (const FatEditor::Entry& entry : listed.entries)
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return std::nullopt;
}

namespace {

// A file read out of the editor: its bytes are in hand already.
class BytesReader : public DosReader {
public:
    BytesReader(QByteArray data, QDateTime stamp, quint8 attributes)
        : m_data(std::move(data)), m_stamp(std::move(stamp)), m_attributes(attributes) {}
    qint64 read(char* data, qint64 size) override {
        const qint64 n = std::min(size, m_data.size() - m_at);
        std::memcpy(data, m_data.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    QDateTime fileTime() const override { return m_stamp; }
    quint8 attributes() const override { return m_attributes; }

private:
    QByteArray m_data;
    QDateTime m_stamp;
    quint8 m_attributes;
    qint64 m_at = 0;
};

} // namespace

std::unique_ptr<DosReader> ImageVolume::openInMemory(const VolumePath& path) {
    const std::optional<FatEditor::Entry> entry = entryInMemory(path);
    if (!entry || entry->directory)
        return nullptr;
    FatEditor::Outcome outcome = FatEditor::Outcome::Done;
    std::optional<QByteArray> data = editor()->read(path.parts, &outcome);
    if (!data)
        return nullptr;
    return std::make_unique<BytesReader>(std::move(*data), entry->stamp(),
                                         quint8(entry->attributes & DosAttr::kFileBits));
}

void ImageVolume::readBackInMemory(const QList<VolumePath>& paths, QList<ReadBack>& out,
                                   QList<qsizetype>& pending) {
    if (!editor())
        return;
    // Read from the file as saved, not from the editor's memory: what the image now holds.
    saveEditor();
    const std::unique_ptr<const FatEditor> saved = FatEditor::view(file());
    if (!saved)
        return;
    QList<qsizetype> left;
    for (qsizetype i : pending) {
        FatEditor::Outcome outcome = FatEditor::Outcome::Done;
        if (std::optional<QByteArray> data = saved->read(paths[i].parts, &outcome)) {
            out[i].data = *data;
            out[i].ok = true;
        } else { // mtools says what is wrong, as it always has
            left.append(i);
        }
    }
    pending = left;
}

std::optional<quint8> ImageVolume::attributesIfPresent(const VolumePath& path) {
    bool known = false;
    const std::optional<FatEditor::Entry> entry =
        hasWildcard(path.parts) ? std::nullopt : entryInMemory(path, &known);
    if (!known)
        return Volume::attributesIfPresent(path);
    return entry ? std::optional<quint8>(entry->attributes & DosAttr::kFileBits) : std::nullopt;
}
