#pragma once

#include "writers/client_identity.h"

class BuildRun;
class BuildSettings;

// Multicast client diskette: CONFIG.SYS, AUTOEXEC.BAT, WATTCP.CFG and PROTOCOL.INI in the root, then
// the client program, the NIC driver and the NDIS packet-driver files. An error writing
// AUTOEXEC.BAT, WATTCP.CFG or PROTOCOL.INI propagates as IoError and ends the run.
void CreateMultiCastDiskette(BuildRun& run);

// The client's address (without the field's blanks, or DHCP) and name as WATTCP.CFG carries them.
ClientIdentity MulticastIdentity(const BuildSettings& settings);
