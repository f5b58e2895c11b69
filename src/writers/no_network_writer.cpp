#include "writers/no_network_writer.h"

#include "platform/dos_path.h"
#include "writers/build_run.h"

namespace {

// The box comments are padded so that every box line of a file has the same length: 58 characters
// in CONFIG.SYS, 50 in AUTOEXEC.BAT.
QStringList configSysLines(const BuildRun& run) {
    return {
        QStringLiteral("REM [CONFIG.SYS : Created by PCBW ") + run.dateStamp() + QStringLiteral("]"),
        QStringLiteral("REM **     Standalone Mode, No Networking              ***"),
        QStringLiteral("REM ** Note: Load everything high that you can         ***"),
        QStringLiteral("dos=high, umb"),
        QStringLiteral("device=himem.sys /NUMHandles=128 /TESTMEM:ON"),
        QStringLiteral("device=emm386.exe /NOEMS"),
        QStringLiteral("files=60"),
        QStringLiteral("stacks=0,0"),
        QStringLiteral("buffers=30"),
        QStringLiteral("REM ** Note: To restore images from CD-ROM...          ***"),
        QStringLiteral("REM ** Insert your CD-ROM drive command-line           ***"),
        QStringLiteral("REM ** here, be sure to load it high and copy          ***"),
        QStringLiteral("REM ** the MTM??? files to this floppy.                ***"),
        QStringLiteral("REM ** For example: DEVICEHIGH=YourCONFIGSYSCDRomDriver***"),
    };
}

QStringList autoexecLines(const BuildRun& run) {
    return {
        QStringLiteral("@ECHO OFF"),
        QStringLiteral("REM [AUTOEXEC.BAT : Created by PCBW ") + run.dateStamp() + QStringLiteral("]"),
        QStringLiteral("REM **     Standalone Mode, No Networking      ***"),
        QStringLiteral("REM ** Note: Load everything high that you can ***"),
        QStringLiteral("prompt $p$g"),
        QStringLiteral("REM ** Note: To restore images from CD-ROM...  ***"),
        QStringLiteral("REM ** Insert your CD-ROM drive command-line   ***"),
        QStringLiteral("REM ** here, be sure to load it high and copy  ***"),
        QStringLiteral("REM ** the MTM??? files to this floppy.        ***"),
        QStringLiteral("REM ** For example: LH=YourAutoExecCDRomDriver ***"),
        QStringLiteral("lh client.exe"),
    };
}

} // namespace

void CreateNoNetworkDiskette(BuildRun& run) {
    RunValues& v = run.values();
    const QString root = v.DiskRoot + QStringLiteral("\\");

    run.tick(3);
    run.configSysStep(50, [&] { return configSysLines(run); });
    run.fileStep(
        QStringLiteral(" Creating AUTOEXEC.BAT..."), 100, QStringLiteral("AUTOEXEC.BAT"),
        [&] { return autoexecLines(run); }, 200);

    run.tick(4);
    if (!run.BuildCancelled()) {
        run.gauge(0);
        run.status(QStringLiteral(" Copying Pellacore Client file..."));
        run.tick(4);
        run.copyClient();
    }
    run.gauge(100);
}
