#pragma once

#include <QString>
#include <QStringList>

// bootwright-cli batch: WATTCP.CFG of each named diskette gets the next address and name.
namespace CliBatch {
// address and name are null when not given (that part is not updated); templateImage, when given,
// is what a missing image would be made from.
int run(const QString& programDir, const QString& address, const QString& name, const QStringList& diskettes,
        const QString& templateImage = {});
// The k-th diskette gets the k-th row of the host list: its address, name and (when given) mask. A
// list with problems, or with another number of rows than diskettes, is refused before any
// diskette is touched.
int runHosts(const QString& programDir, const QString& hostsFile, const QStringList& diskettes,
             const QString& templateImage = {});
} // namespace CliBatch
