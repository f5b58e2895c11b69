#pragma once

#include <QList>
#include <QString>

class DosFs;

// One file (or directory) a build puts on a diskette.
struct PlannedFile {
    QString path;    // as the writer names it: "A:\NET\PROTOCOL.INI"
    QString source;  // a copy's source as the writer names it; empty for a file the build writes
    qint64 size = 0; // bytes; -1 for a copy whose source is missing
    bool directory = false;
    int diskette = 1; // the Microsoft "Client on Floppy" form writes a second one
    bool missing() const { return size < 0 && !directory; }
};

// Whether a diskette, as it now stands, can take a build's files.
struct Fit {
    qint64 need = 0; // bytes the files take, in whole allocation units
    qint64 free = 0; // free bytes plus those of the files the build replaces
    int entriesNeed = 0;
    int entriesFree = -1; // free root-directory entries; -1: no such limit
    int files = 0;
    QString largest; // the largest file, as the writer names it: the first to look at when they do not fit
    qint64 largestSize = 0;
    bool fits() const { return need <= free && (entriesFree < 0 || entriesNeed <= entriesFree); }
    // What the build says when they do not fit; diskRoot is "A:" or "B:".
    QString refusal(const QString& diskRoot) const;
};

namespace DiskettePlan {
// Measures the files against the diskette under diskRoot without writing anything. A file named
// twice counts once (the later write replaces the earlier); a missing source counts nothing.
Fit measure(DosFs& fs, const QString& diskRoot, const QList<PlannedFile>& files);
} // namespace DiskettePlan
