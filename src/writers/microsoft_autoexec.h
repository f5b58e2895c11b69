#pragma once

class BuildRun;
class BuildSettings;

// AUTOEXEC.BAT of a Microsoft TCP/IP diskette, in the root of the diskette now in the drive. Does
// nothing when the run is cancelled. A write error propagates as IoError and ends the run.
void MicrosoftAutoexec(BuildRun& run);

// Whether the chosen Standalone server type ("... Client on Floppy") puts the client program on a
// second diskette.
bool MicrosoftTwoDiskettes(const BuildSettings& settings);
