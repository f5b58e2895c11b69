#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Running the mtools programs (mdir, mcopy, mattrib, mdel, mmd, mformat) on a diskette image or
// device. Each call is one process start, about a millisecond and a half.
namespace Mtools {

// The exit code a call gets when mtools exited 0 but said that a write to the diskette failed.
constexpr int kIoFailureExit = 255;

struct Result {
    int exitCode = 0;
    QByteArray output;
    QString errorText; // what the tool wrote to stderr, trimmed
};

// Runs one tool with stdin from /dev/null and without a controlling terminal, so that a question
// it might ask can never wait for an answer. Throws IoError when the tool cannot be run at all
// (mtools not installed, killed, hanging); a non-zero exit code is the caller's to judge.
// image names the image or device in messages.
Result run(const QString& tool, const QStringList& args, const QString& image);
// How many tool processes this program has started so far: what a diskette costs.
quint64 processCount();

// One line of an mdir listing.
struct Entry {
    QString shortName; // "CONFIG.SYS", "LMHOSTS", as mdir shows it
    QString longName;  // the VFAT long name, empty when there is none
    bool directory = false;
    qint64 size = 0;
    // True when name (freed of trailing dots) names this entry, in any letter case.
    bool matches(const QString& name) const;
};

struct Listing {
    QList<Entry> entries; // without "." and ".."
    qint64 freeBytes = -1;
    const Entry* find(const QString& name) const;
};

Listing parseListing(const QByteArray& mdirOutput);

} // namespace Mtools
