#pragma once

#include <QString>

class BuildSettings;

// The address and the name a diskette carries, as its writer puts them into its files; what the
// command line reports after each diskette. NetWare and no-network diskettes carry neither ("-").
struct ClientIdentity {
    QString address;
    QString name;
};

ClientIdentity clientIdentity(const BuildSettings& settings);
