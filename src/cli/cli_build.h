#pragma once

#include <QChar>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// bootwright-cli build: one or more diskettes from the defaults, a saved configuration and --set.
struct BuildOptions {
    QString programDir;
    QString config; // null: none
    QStringList sets;
    QList<QPair<QChar, QString>> drives;
    QString disk2;
    int count = 1;
    QString templateImage; // --template: new images are made from it; empty: PCBW.INI's, if any
    bool check = false;    // --check: print the plan, write nothing
    bool verify = true;    // --no-verify turns the read-back off
    QString hosts;         // a host list: one diskette per row; empty: none
    QString pxe;           // the folder of the network boot entries; empty: none
};

namespace CliBuild {
// Returns the exit status; usage errors are thrown as UsageError.
int run(const BuildOptions& options);
} // namespace CliBuild
