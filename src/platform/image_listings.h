#pragma once

#include "platform/file_signature.h"
#include "platform/mtools.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

// The directory listings and file attributes of one diskette image, kept while a caller holds them
// (a build run) so that one mdir per directory serves the whole run; the volume keeps them current
// after each of its own writes. Held or not, nothing is kept past a change by another program that
// the image file shows (its inode, size or times differ from what the last own call left), and
// nothing at all once the hold ends: a floppy may be swapped behind the program's back.
class ImageListings {
public:
    ImageListings(QString image, bool device);

    void hold(bool on); // ending the hold forgets everything
    bool held() const { return m_held; }
    void forget();
    // The file whose changes are watched from now on (a working copy of the image); forgets.
    void watch(const QString& image) {
        m_image = image;
        forget();
    }

    // The listing of a directory as last seen, or null.
    const Mtools::Listing* listing(const QStringList& dirParts);
    void putListing(const QStringList& dirParts, const Mtools::Listing& listing);
    // The attributes of a file as last seen, when known.
    std::optional<quint8> attributes(const QStringList& dirParts, const QString& name);
    // True when the attributes of every file in the directory are known (so an unknown file has
    // none to tell).
    bool attributesComplete(const QStringList& dirParts);
    void putAttributes(const QStringList& dirParts, const QHash<QString, quint8>& byName);

    // What the volume's own writes did. A name that DOS cannot hold as it stands may have been
    // changed by mtools, so such a directory is listed anew.
    void stored(const QStringList& dirParts, const QString& name, qint64 size);
    void removed(const QStringList& dirParts, const QString& name);
    void madeDirectory(const QStringList& dirParts, const QString& name);
    void attributesSet(const QStringList& dirParts, const QString& name, quint8 attributes);

private:
    struct Directory {
        Mtools::Listing listing;
        QHash<QString, quint8> attributes; // upper-case short name -> DOS attributes
        bool attributesComplete = false;
    };
    using Signature = std::optional<FileSignature>;
    static QString key(const QStringList& dirParts);
    Signature current() const;
    bool unchanged(); // drops everything when the image changed behind our back
    Directory* directory(const QStringList& dirParts);
    Directory* afterOwnWrite(const QStringList& dirParts);

    QString m_image;
    bool m_device;
    bool m_held = false;
    Signature m_signature;
    QHash<QString, Directory> m_dirs;
};
