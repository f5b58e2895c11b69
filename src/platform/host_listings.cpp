#include "platform/host_listings.h"

#include "platform/dos_path.h"

#include <QFile>
#include <dirent.h>
#include <sys/stat.h>

std::atomic<quint64> HostListings::s_reads{0};

namespace {

QString key(const QString& dir) {
    QString out = dir;
    while (out.size() > 1 && out.endsWith(u'/'))
        out.chop(1);
    return out;
}

} // namespace

QByteArrayList HostDirectory::rawEntries(const QString& dir) {
    DIR* stream = ::opendir(QFile::encodeName(dir).constData());
    if (!stream)
        return {};
    QByteArrayList names;
    while (const dirent* entry = ::readdir(stream)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        names.append(QByteArray(name));
    }
    ::closedir(stream);
    return names;
}

QStringList HostDirectory::entries(const QString& dir) {
    QStringList names;
    for (const QByteArray& name : rawEntries(dir))
        names.append(QFile::decodeName(name));
    return names;
}

QString HostDirectory::matching(const QByteArrayList& names, const QString& name) {
    // Only a name that may match is decoded, which in a large folder (the temporary folder on the
    // way to a source) is few of them: an ASCII first letter matches only itself in either case.
    const char16_t first = name.isEmpty() ? 0 : name.front().unicode();
    const bool asciiFirst = first > 0 && first < 0x80;
    QString match;
    for (const QByteArray& raw : names) {
        if (raw.isEmpty())
            continue;
        if (asciiFirst && uchar(raw.front()) < 0x80 &&
            QChar::toCaseFolded(char16_t(uchar(raw.front()))) != QChar::toCaseFolded(first))
            continue;
        const QString entryName = QFile::decodeName(raw);
        // Of two that match, the same one every time, whatever order the directory lists them in.
        if (DosPath::normalizeName(entryName).compare(name, Qt::CaseInsensitive) == 0 &&
            (match.isEmpty() || entryName < match))
            match = entryName;
    }
    return match;
}

bool HostListings::signature(const QString& dir, Signature* out) {
    const std::optional<FileSignature> now = FileSignature::of(dir);
    if (!now || !now->directory)
        return false;
    *out = *now;
    return true;
}

void HostListings::hold(bool on) {
    m_held = on;
    if (!on)
        m_dirs.clear();
}

HostListings::Listing* HostListings::current(const QString& dir) {
    const QString k = key(dir);
    Signature now;
    if (!signature(k, &now)) {
        m_dirs.remove(k);
        return nullptr;
    }
    auto it = m_dirs.find(k);
    if (it != m_dirs.end() && it->seen == now)
        return &it.value();
    // Read after the look at its times: a change made meanwhile shows at the next look.
    Listing fresh{HostDirectory::rawEntries(k), now};
    ++s_reads;
    return &m_dirs.insert(k, fresh).value();
}

QString HostListings::entry(const QString& dir, const QString& name) {
    if (!m_held) {
        ++s_reads;
        return HostDirectory::matching(HostDirectory::rawEntries(dir), name);
    }
    const Listing* listing = current(dir);
    if (!listing)
        return {};
    if (listing->names.contains(QFile::encodeName(name)))
        return name;
    return HostDirectory::matching(listing->names, name);
}

void HostListings::afterOwnWrite(Listing& listing, const QString& dir) {
    // What the directory looks like now is what the write made of it; another program's change in
    // the same instant would go unseen, as it would between a listing and its use.
    if (!signature(dir, &listing.seen))
        m_dirs.remove(dir);
}

void HostListings::added(const QString& dir, const QString& name) {
    const QString k = key(dir);
    auto it = m_dirs.find(k);
    if (it == m_dirs.end())
        return;
    const QByteArray raw = QFile::encodeName(name);
    if (!it->names.contains(raw))
        it->names.append(raw);
    afterOwnWrite(it.value(), k);
}

void HostListings::removed(const QString& dir, const QString& name) {
    const QString k = key(dir);
    auto it = m_dirs.find(k);
    if (it == m_dirs.end())
        return;
    it->names.removeAll(QFile::encodeName(name));
    afterOwnWrite(it.value(), k);
}

void HostListings::madeDirectory(const QString& dir, const QString& name) {
    added(dir, name);
    if (!m_held)
        return;
    // Made by this run and empty: nothing in it needs reading.
    const QString made = key(dir) + (key(dir) == u'/' ? QString() : QStringLiteral("/")) + name;
    Listing empty;
    if (signature(made, &empty.seen))
        m_dirs.insert(made, empty);
}
