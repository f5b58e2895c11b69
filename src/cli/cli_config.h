#pragma once

#include <QString>
#include <QStringList>

// bootwright-cli save, list and remove: the saved configurations of PCBWSAVE.INI.
namespace CliConfig {
int save(const QString& programDir, const QString& description, const QString& config,
         const QStringList& sets, bool overwrite, bool replaceOldest = false);
int list(const QString& programDir);
int remove(const QString& programDir, const QString& description);
} // namespace CliConfig
