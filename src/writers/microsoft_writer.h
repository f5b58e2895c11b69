#pragma once

#include "writers/client_identity.h"

#include <QString>

class BuildRun;
class BuildSettings;

// Standalone Microsoft TCP/IP diskette: CONFIG.SYS and AUTOEXEC.BAT in the root, PROTOCOL.INI and
// SYSTEM.INI in \NET, then the NIC driver and the network client files in \NET. The "Client on
// Floppy" form then asks for a second diskette and puts AUTOEXEC.BAT and the client program on it.
// An error writing AUTOEXEC.BAT, PROTOCOL.INI or SYSTEM.INI propagates as IoError and ends the run.
void CreateMicrosoftDiskette(BuildRun& run);

// Copies one file of the Microsoft driver directory into \NET on the diskette. False when the file
// is missing (the run is then cancelled) or its copy fell short.
bool CopyMicrosoftFile(BuildRun& run, const QString& name);

// The client's address (dotted, without the field's blanks, or DHCP) and computer name as
// PROTOCOL.INI and SYSTEM.INI carry them.
ClientIdentity MicrosoftIdentity(const BuildSettings& settings);
