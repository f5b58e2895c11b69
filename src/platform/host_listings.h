#pragma once

#include "platform/file_signature.h"

#include <QByteArrayList>
#include <QHash>
#include <QString>
#include <QStringList>
#include <atomic>

// The entries of host directories, kept while a build holds them, so that looking names up without
// regard to case lists each directory once, not once per file. The volume tells of its own writes
// and the listing follows them. A directory whose inode or times differ from what the last listing
// or own write left was changed by another program and is listed anew; nothing is kept once the
// hold ends.
class HostListings {
public:
    void hold(bool on); // ending the hold forgets everything
    bool held() const { return m_held; }

    // The entry of dir that stands for name: the name itself when dir holds it, otherwise the
    // first in code-point order of those that match without regard to case and trailing dots.
    // Empty when none does or dir cannot be listed.
    QString entry(const QString& dir, const QString& name);

    // What the volume's own writes did in dir.
    void added(const QString& dir, const QString& name);
    void removed(const QString& dir, const QString& name);
    void madeDirectory(const QString& dir, const QString& name);

    // How many directories have been read in this process, for tests and benchmarks.
    static quint64 readCount() { return s_reads.load(); }

private:
    using Signature = FileSignature;
    struct Listing {
        QByteArrayList names; // as the file system holds them
        Signature seen;
    };
    static bool signature(const QString& dir, Signature* out);
    Listing* current(const QString& dir);
    void afterOwnWrite(Listing& listing, const QString& dir);

    bool m_held = false;
    QHash<QString, Listing> m_dirs; // by host path, without a trailing separator
    static std::atomic<quint64> s_reads;
};

namespace HostDirectory {
// The entries of dir, "." and ".." left out, read straight from the directory: listing through
// QDir cost most of a folder build. Empty when dir cannot be read.
QByteArrayList rawEntries(const QString& dir); // as the file system holds them
QStringList entries(const QString& dir);
// Of names, the one that stands for name (see HostListings::entry), or empty.
QString matching(const QByteArrayList& names, const QString& name);
} // namespace HostDirectory
