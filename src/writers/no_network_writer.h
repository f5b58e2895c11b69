#pragma once

class BuildRun;

// Standalone diskette without networking, for images on local media: CONFIG.SYS and AUTOEXEC.BAT
// with room marked for a CD-ROM driver, then the client program. An error writing AUTOEXEC.BAT
// propagates as IoError and ends the run.
void CreateNoNetworkDiskette(BuildRun& run);
