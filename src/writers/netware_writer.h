#pragma once

#include <QString>

class BuildRun;

// Standalone NetWare diskette: CONFIG.SYS, AUTOEXEC.BAT and NET.CFG in the root, then the client
// program, the NIC driver and the ODI/VLM client files. An error writing AUTOEXEC.BAT or NET.CFG
// propagates as IoError and ends the run.
void CreateNovellDiskette(BuildRun& run);

// Copies one file of the NetWare driver directory into the diskette's root. False when the file is
// missing (the run is then cancelled) or its copy fell short.
bool CopyNovellFile(BuildRun& run, const QString& name);
