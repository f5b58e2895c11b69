#pragma once

#include "settings/build_mode.h"

#include <QString>
#include <QStringList>

// The NIC catalogue: PCBWNICM.INI (Multicast and Microsoft) or PCBWNICS.INI (NetWare) in the
// program directory, section NICS, key = the card's name as listed, value = its driver file
// relative to NicDriverPath. Read only, and read afresh at every call.
class NicCatalogue {
public:
    NicCatalogue(QString programDir, BuildMode buildMode);

    // The list entry that stands for a driver browsed for or typed in.
    static QString otherHaveDisk();

    // The catalogue the list shows in this mode; empty in No-network mode, which has none.
    QString listFile() const;
    // The catalogue an entry is looked up in: PCBWNICS.INI in NetWare mode, PCBWNICM.INI otherwise.
    QString lookupFile() const;

    // The card names in file order, then "Other - Have Disk" once. A missing file or section lists
    // only "Other - Have Disk".
    QStringList entries() const;

    // What a chosen entry puts into the driver field: NicDriverPath and the entry's driver joined
    // as they stand, upper-cased and trimmed. An entry without a driver gives the directory
    // followed by "ERROR", which the page's check then reports as not found.
    QString driverPath(const QString& entry) const;

private:
    QString m_programDir;
    BuildMode m_buildMode;
};
