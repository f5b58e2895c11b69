#pragma once

#include "writers/build_run.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class DosFs;
class DriveTable;

// Many diskettes onto new images (--hosts, --count): the first one built, read back and put in
// place is kept aside, and each later one starts as a copy of it and is given only the files that
// differ (the address and name files), read back in full all the same. A diskette whose image
// exists already, or whose files would not be the kept one's, is built afresh, as is every
// diskette when the first cannot be kept.
class FirstDiskette {
public:
    // Before a diskette's run, after its FormShow: makes the run start from the kept diskette when
    // it can.
    void prepare(BuildRun& run, DosFs& fs, QChar target, const DriveTable& drives);
    // After a run that ended complete and put its image in place.
    void built(const BuildRun& run, const DriveTable& drives, QChar target);

private:
    bool m_fresh = false;  // the image being built did not exist before its run
    QStringList m_planned; // the files and folders of the run being built, in its order
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_image; // the kept copy; empty until there is one
    QStringList m_keptPlan;
    QList<WrittenFile> m_keptFiles;
};
