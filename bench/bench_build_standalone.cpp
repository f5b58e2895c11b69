// Whole Standalone NetWare and Microsoft builds (MakeTheDisk with every wait at zero length), into a
// diskette that is a host directory and into a fresh 1.44 MB image. Shows what a build costs beyond
// its fixed waits: the text files, the thirty-odd copies, the read-back unless "NoVerify" and, for
// images, the mtools calls (counter "mtools": processes per build, the image's formatting not
// counted, as it is made before the build).

#include "platform/clock.h"
#include "platform/delay.h"
#include "platform/dialogs.h"
#include "platform/dos_fs.h"
#include "platform/drive_table.h"
#include "platform/mtools.h"
#include "settings/build_settings.h"
#include "writers/build_run.h"
#include "writers/build_view.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentDialogs : public Dialogs {
public:
    Button message(const QString&, Icon, Buttons buttons, int) override {
        return buttons == Buttons::YesNo ? Button::No : Button::Ok;
    }
    QString openFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString disketteFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString directoryName(const QString&, const QString&) override { return {}; }
};

class SilentView : public BuildView {
public:
    void setStatus(const QString&) override {}
    void setGauge(int) override {}
    void setTickVisible(int, bool) override {}
    void setNetworkLabelVisible(bool) override {}
};

class StillClock : public Clock {
public:
    QString shortDate() const override { return QStringLiteral("12/7/2026"); }
};

void writeFile(const QString& path, qsizetype size) {
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(QByteArray(size, 'b'));
}

// The fixed disk C: with realistic file sizes: a 60 KB client, a 40 KB driver, client files of
// 4 to 120 KB.
struct Environment {
    QTemporaryDir tmp;
    Environment() {
        const QString c = tmp.filePath(QStringLiteral("fixed"));
        QFile ini(tmp.filePath(QStringLiteral("PCBW.INI")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[LOCATIONS]\r\nNICDriverPath=C:\\NICS\\\r\nNovellDriverPath=C:\\NOVELL\\\r\n"
                      "MicrosoftDriverPath=C:\\MSCLIENT\\\r\n");
        writeFile(c + QStringLiteral("/NICS/NE2000.DOS"), 40 * 1024);
        writeFile(c + QStringLiteral("/PCBW/client.exe"), 60 * 1024);
        int i = 0;
        for (const char* f : {"MAP.EXE", "VLM.EXE", "IPXODI.COM", "LSL.COM", "AUTO.VLM", "BIND.VLM",
                              "CONN.VLM", "FIO.VLM", "GENERAL.VLM", "IPXNCP.VLM", "NDS.VLM", "NETX.VLM",
                              "NWP.VLM", "PRINT.VLM", "REDIR.VLM", "RSA.VLM", "SECURITY.VLM", "TRAN.VLM"})
            writeFile(c + QStringLiteral("/NOVELL/") + QLatin1String(f), (4 + 6 * (i++ % 8)) * 1024);
        for (const char* f : {"NET.EXE", "NETBIND.COM", "UMB.COM", "TCPTSR.EXE", "TINYRFC.EXE", "NET.MSG",
                              "NETH.MSG", "IFSHLP.SYS", "NDISHLP.SYS", "WFWSYS.CFG", "NEMM.DOS", "TCPDRV.DOS",
                              "PROTMAN.DOS", "PROTMAN.EXE", "LMHOSTS", "TCPUTILS.INI"})
            writeFile(c + QStringLiteral("/MSCLIENT/") + QLatin1String(f), (4 + 8 * (i++ % 15)) * 1024);
    }
};

void build(benchmark::State& state, int buildMode, bool image, bool verify = true) {
    setDelayPacing(0);
    Environment env;
    const QString disk = env.tmp.filePath(image ? QStringLiteral("A.img") : QStringLiteral("floppy"));
    BuildSettings settings;
    settings.setBuildMode(BuildMode(buildMode));
    settings.setText(QStringLiteral("TForm4.Edit2"), QStringLiteral("C:\\NICS\\NE2000.DOS"));
    settings.setText(QStringLiteral("TForm11.Edit1"), QStringLiteral("C:\\PCBW\\client.exe"));
    settings.setIndex(QStringLiteral("TForm9.ComboBox1"), buildMode == 3 ? 1 : 0);
    settings.setChecked(QStringLiteral("TForm21.RadioButton2"), true);
    settings.setChecked(QStringLiteral("TForm21.RadioButton4"), true);
    SilentDialogs dialogs;
    SilentView view;
    StillClock clock;

    quint64 processes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (image) {
            QFile::remove(disk);
            QProcess::execute(QStringLiteral("mformat"), {"-f", "1440", "-C", "-i", disk, "::"});
        } else {
            QDir(disk).removeRecursively();
            QDir().mkpath(disk);
        }
        state.ResumeTiming();
        const quint64 before = Mtools::processCount();

        DriveTable drives;
        drives.map(QLatin1Char('C'), env.tmp.filePath(QStringLiteral("fixed")));
        drives.map(QLatin1Char('A'), disk);
        DosFs fs(drives);
        BuildRun run(fs, dialogs, view, clock);
        run.FormShow(settings, env.tmp.path());
        run.setVerify(verify);
        run.MakeTheDisk();
        if (run.BuildCancelled())
            state.SkipWithError("the build was cancelled");
        processes += Mtools::processCount() - before;
    }
    state.counters["mtools"] = benchmark::Counter(double(processes), benchmark::Counter::kAvgIterations);
}

void BM_NetwareDirectory(benchmark::State& state) {
    build(state, 2, false);
}
void BM_NetwareImage(benchmark::State& state) {
    build(state, 2, true);
}
void BM_MicrosoftDirectory(benchmark::State& state) {
    build(state, 3, false);
}
void BM_MicrosoftImage(benchmark::State& state) {
    build(state, 3, true);
}
void BM_NetwareDirectoryNoVerify(benchmark::State& state) {
    build(state, 2, false, false);
}
void BM_NetwareImageNoVerify(benchmark::State& state) {
    build(state, 2, true, false);
}
void BM_MicrosoftImageNoVerify(benchmark::State& state) {
    build(state, 3, true, false);
}

} // namespace

BENCHMARK(BM_NetwareDirectory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetwareImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MicrosoftDirectory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MicrosoftImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetwareDirectoryNoVerify)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetwareImageNoVerify)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MicrosoftImageNoVerify)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
