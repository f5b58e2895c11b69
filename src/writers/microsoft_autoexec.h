#pragma once

class BuildRun;

// AUTOEXEC.BAT of a Microsoft TCP/IP diskette, in the root of the diskette now in the drive. Does
// nothing when the run is cancelled. A write error propagates as IoError and ends the run.
void MicrosoftAutoexec(BuildRun& run);
