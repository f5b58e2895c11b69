#pragma once

#include "platform/drive_table.h"
#include "rules/host_list.h"

#include <QChar>
#include <QString>
#include <QStringList>

class BuildSettings;

// bootwright-cli build --hosts: one diskette per row of a host list, each with the row's name,
// address and mask on the page the route takes them from; with --pxe the network boot entries of
// every row with a MAC.
class HostRun {
public:
    // Reads the list and makes every check that can be made before a diskette is written. A route
    // without a client address and name (NetWare, no network), a drive path that would write every
    // host's diskette to one place, and a --pxe that cannot boot the diskettes are usage errors
    // (UsageError); an unreadable list throws IoError. What is wrong in the list, and a drive path
    // (or disk2) that a host's name would take out of its folder, is in problems().
    HostRun(const QString& file, const QString& pxeDir, const BuildSettings& settings,
            const DriveTable& drives, QChar target, const QString& disk2 = {});

    // "FILE:LINE: what is wrong", every one of them; nothing is to be written while there is one.
    const QStringList& problems() const { return m_problems; }
    int count() const { return int(m_list.size()); }

    // The host of diskette n (from 1).
    const Host& host(int n) const { return m_list.hosts().at(n - 1); }
    // {name} in a path is diskette n's host's name as written.
    QString named(QString path, int n) const;
    DriveTable named(const DriveTable& drives, int n) const;
    // Diskette n is built into `image`: the network boot entries of its host, when --pxe asks for
    // them and the host has a MAC. Throws IoError.
    void built(int n, const QString& image) const;

private:
    HostList m_list;
    QString m_pxeDir;
    QStringList m_problems;
};
