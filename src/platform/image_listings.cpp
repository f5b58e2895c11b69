#include "platform/image_listings.h"

#include "platform/dos_fs.h"

#include <QFile>
#include <QRegularExpression>
#include <sys/stat.h>

namespace {

// A name DOS keeps as it stands: mtools writes it without changing it.
bool plainShortName(const QString& name) {
    static const QRegularExpression shortName(
        QStringLiteral("^[A-Z0-9!#$%&'()@^_`{}~-]{1,8}(\\.[A-Z0-9!#$%&'()@^_`{}~-]{1,3})?$"));
    return shortName.match(name).hasMatch();
}

} // namespace

ImageListings::ImageListings(QString image, bool device) : m_image(std::move(image)), m_device(device) {}

QString ImageListings::key(const QStringList& dirParts) {
    return dirParts.join(u'/').toUpper();
}

ImageListings::Signature ImageListings::current() const {
    return FileSignature::of(m_image);
}

bool ImageListings::unchanged() {
    // A device's times do not follow its contents; there only the hold protects.
    if (m_device || current() == m_signature)
        return true;
    m_dirs.clear();
    return false;
}

void ImageListings::hold(bool on) {
    m_held = on;
    if (!on)
        m_dirs.clear();
}

void ImageListings::forget() {
    m_dirs.clear();
}

ImageListings::Directory* ImageListings::directory(const QStringList& dirParts) {
    if (!m_held || m_dirs.isEmpty() || !unchanged())
        return nullptr;
    auto it = m_dirs.find(key(dirParts));
    return it == m_dirs.end() ? nullptr : &it.value();
}

ImageListings::Directory* ImageListings::afterOwnWrite(const QStringList& dirParts) {
    // Checked against other programs before the write (the volume lists before it writes); what
    // the image looks like now is what our write made of it.
    if (!m_device)
        m_signature = current();
    auto it = m_dirs.find(key(dirParts));
    return it == m_dirs.end() ? nullptr : &it.value();
}

const Mtools::Listing* ImageListings::listing(const QStringList& dirParts) {
    Directory* dir = directory(dirParts);
    return dir ? &dir->listing : nullptr;
}

void ImageListings::putListing(const QStringList& dirParts, const Mtools::Listing& listing) {
    if (!m_held)
        return;
    if (!m_dirs.isEmpty())
        unchanged();
    if (m_dirs.isEmpty())
        m_signature = current();
    Directory& dir = m_dirs[key(dirParts)];
    dir.listing = listing;
    dir.attributes.clear();
    dir.attributesComplete = false;
}

std::optional<quint8> ImageListings::attributes(const QStringList& dirParts, const QString& name) {
    Directory* dir = directory(dirParts);
    if (!dir)
        return std::nullopt;
    const auto it = dir->attributes.constFind(name.toUpper());
    if (it == dir->attributes.cend())
        return std::nullopt;
    return *it;
}

bool ImageListings::attributesComplete(const QStringList& dirParts) {
    Directory* dir = directory(dirParts);
    return dir && dir->attributesComplete;
}

void ImageListings::putAttributes(const QStringList& dirParts, const QHash<QString, quint8>& byName) {
    Directory* dir = directory(dirParts);
    if (!dir)
        return;
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        dir->attributes.insert(it.key().toUpper(), it.value());
    dir->attributesComplete = true;
}

void ImageListings::stored(const QStringList& dirParts, const QString& name, qint64 size) {
    Directory* dir = afterOwnWrite(dirParts);
    if (!dir)
        return;
    const QString upper = name.toUpper();
    if (!plainShortName(upper)) {
        m_dirs.remove(key(dirParts));
        return;
    }
    for (Mtools::Entry& entry : dir->listing.entries) {
        if (entry.matches(upper)) {
            entry.size = size;
            dir->attributes.insert(entry.shortName.toUpper(), DosAttr::Archive);
            return;
        }
    }
    Mtools::Entry entry;
    entry.shortName = upper;
    entry.size = size;
    dir->listing.entries.append(entry);
    dir->attributes.insert(upper, DosAttr::Archive);
}

void ImageListings::removed(const QStringList& dirParts, const QString& name) {
    Directory* dir = afterOwnWrite(dirParts);
    if (!dir)
        return;
    dir->listing.entries.removeIf([&](const Mtools::Entry& entry) {
        if (!entry.matches(name))
            return false;
        dir->attributes.remove(entry.shortName.toUpper());
        return true;
    });
}

void ImageListings::madeDirectory(const QStringList& dirParts, const QString& name) {
    Directory* dir = afterOwnWrite(dirParts);
    if (!dir)
        return;
    const QString upper = name.toUpper();
    if (!plainShortName(upper)) {
        m_dirs.remove(key(dirParts));
        return;
    }
    if (dir->listing.find(upper))
        return;
    Mtools::Entry entry;
    entry.shortName = upper;
    entry.directory = true;
    dir->listing.entries.append(entry);
    dir->attributes.insert(upper, 0);
    // The new directory is empty: nothing to list.
    Directory made;
    made.attributesComplete = true;
    m_dirs.insert(key(dirParts + QStringList{upper}), made);
}

void ImageListings::attributesSet(const QStringList& dirParts, const QString& name, quint8 attributes) {
    Directory* dir = afterOwnWrite(dirParts);
    if (!dir)
        return;
    if (const Mtools::Entry* entry = dir->listing.find(name))
        dir->attributes.insert(entry->shortName.toUpper(), attributes);
}
