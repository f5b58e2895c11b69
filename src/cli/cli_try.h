#pragma once

#include <QChar>
#include <QList>
#include <QPair>
#include <QString>

// bootwright-cli try: boots a diskette in a virtual machine (QEMU), which never writes to it.
namespace CliTry {
// diskette: a drive letter ("A", "A:") resolved through the drive table and the run's --drive
// mappings, or the path of an image or a floppy device. seconds <= 0: no time limit.
int run(const QString& programDir, const QString& diskette, const QList<QPair<QChar, QString>>& drives,
        int seconds);
} // namespace CliTry
