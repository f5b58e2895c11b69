#pragma once

#include <QString>

// What runs that were killed left behind: temporary files beside the program's profile files and
// beside the diskette images of the drive table, and scratch directories in the temporary folder.
// Each carries its process id in its name; those whose process has ended are removed.
namespace StaleFiles {
// Called once at each start of either program.
void sweep(const QString& programDir);
} // namespace StaleFiles
