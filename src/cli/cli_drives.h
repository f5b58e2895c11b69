#pragma once

#include <QChar>
#include <QList>
#include <QPair>
#include <QString>

// bootwright-cli drives: the drive table as it resolves and the floppy drives of the machine.
namespace CliDrives {
// drives: the run's --drive mappings, applied over PCBW.INI as a build applies them.
int run(const QString& programDir, const QList<QPair<QChar, QString>>& drives);
} // namespace CliDrives
