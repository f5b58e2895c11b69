// A build's working copy changed in memory: no mtools process for what the editor does exactly.
#include "platform/dos_path.h"
#include "platform/fat_editor.h"
#include "platform/image_volume.h"
#include "platform/replacement_file.h"

#include <QFile>
#include <QFileInfo>

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
    if (m_editor && m_editor->changed())
        m_editor->save(file(), m_image);
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

bool ImageVolume::storeInMemory(const QString& hostFile, const VolumePath& path, bool keepHostTime) {
    FatEditor* fat = editor();
    if (!fat)
        return false;
    QFile host(hostFile);
    if (!host.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = host.readAll();
    if (data.size() != host.size())
        return false;
    // As mcopy stamps it: the host file's time when that is kept, else the time of the copy.
    const QDateTime stamp = keepHostTime ? QFileInfo(hostFile).lastModified() : QDateTime::currentDateTime();
    if (fat->write(path.parts, data, stamp, DosAttr::Archive) != FatEditor::Outcome::Done)
        return false;
    saveEditor();
    return true;
}

bool ImageVolume::copyOutInMemory(const VolumePath& path, const QString& out) {
    FatEditor* fat = editor();
    if (!fat)
        return false;
    FatEditor::Outcome outcome = FatEditor::Outcome::Done;
    const std::optional<QByteArray> data = fat->read(path.parts, &outcome);
    const FatEditor::Listing listed = fat->list(path.parts.mid(0, path.parts.size() - 1));
    const auto entry = std::find_if(listed.entries.begin(), listed.entries.end(), [&](const auto& e) {
        return e.name.compare(DosPath::normalizeName(path.parts.last()), Qt::CaseInsensitive) == 0;
    });
    if (!data || entry == listed.entries.end())
        return false;
    QFile file(out);
    if (!file.open(QIODevice::WriteOnly) || file.write(*data) != data->size() ||
        !file.setFileTime(entry->stamp(), QFileDevice::FileModificationTime)) {
        file.close();
        QFile::remove(out);
        return false;
    }
    return true;
}

void ImageVolume::readBackInMemory(const QList<VolumePath>& paths, QList<ReadBack>& out,
                                   QList<qsizetype>& pending) {
    if (!editor())
        return;
    // Read from the file as saved, not from the editor's memory: what the image now holds.
    saveEditor();
    m_work->startFlush();
    const std::unique_ptr<FatEditor> saved = FatEditor::load(file());
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
