// Whole diskette builds at pacing zero, so that what is measured is the program's own work: the
// write test, the check that the files fit, the text files, the copies, the read-back (and fsck.fat
// on an image) unless "NoVerify", and on an image every mtools call. The counter "mtools" is the
// number of mtools processes one build starts.
//
//   bench_build --benchmark_filter=Multicast

#include "platform/clock.h"
#include "platform/delay.h"
#include "platform/dialogs.h"
#include "platform/dos_fs.h"
#include "platform/drive_table.h"
#include "platform/mtools.h"
#include "writers/build_run.h"
#include "writers/build_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

class QuietDialogs : public Dialogs {
public:
    Button message(const QString&, Icon, Buttons buttons, int) override {
        ++shown;
        return buttons == Buttons::YesNo ? Button::Yes : Button::Ok;
    }
    QString openFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override {
        return {};
    }
    QString disketteFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString directoryName(const QString&, const QString&) override { return {}; }
    int shown = 0;
};

class NullView : public BuildView {
public:
    void setStatus(const QString&) override {}
    void setGauge(int) override {}
    void setTickVisible(int, bool) override {}
    void setNetworkLabelVisible(bool) override {}
};

class StampClock : public Clock {
public:
    QString shortDate() const override { return QStringLiteral("12/7/2026"); }
};

void writeFile(const QString& path, qint64 size) {
    QDir().mkpath(path.left(path.lastIndexOf('/')));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QByteArray block(4096, 'x');
    for (qint64 done = 0; done < size; done += block.size())
        f.write(block.constData(), qMin<qint64>(block.size(), size - done));
}

// The sources of a typical build: a client program of 120 KB, an NDIS driver of 30 KB and the
// packet-driver files.
struct Environment {
    Environment() {
        prog = tmp.filePath(QStringLiteral("prog"));
        const QString nics = tmp.filePath(QStringLiteral("nics")) + QLatin1Char('/');
        QDir().mkpath(prog);
        QFile ini(prog + QStringLiteral("/PCBW.INI"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(("[LOCATIONS]\r\nNICDriverPath=" + nics + "\r\n").toLatin1());
        writeFile(tmp.filePath(QStringLiteral("icc/client.exe")), 120 * qint64(1024));
        writeFile(nics + QStringLiteral("ne2000.dos"), 30 * qint64(1024));
        writeFile(nics + QStringLiteral("netbind.com"), 12 * qint64(1024));
        writeFile(nics + QStringLiteral("dis_pkt9.dos"), 8 * qint64(1024));
        writeFile(nics + QStringLiteral("protman.exe"), 14 * qint64(1024));
        writeFile(nics + QStringLiteral("protman.dos"), 20 * qint64(1024));
        settings.setText(QStringLiteral("TForm11.Edit1"), tmp.filePath(QStringLiteral("icc/client.exe")));
        settings.setText(QStringLiteral("TForm4.Edit2"), nics + QStringLiteral("ne2000.dos"));
        settings.setText(QStringLiteral("TForm6.Edit1"), QStringLiteral(" 10.  0.  0.  5"));
        settings.setText(QStringLiteral("TForm6.Edit2"), QStringLiteral("255.255.255.  0"));
        settings.setText(QStringLiteral("TForm6.Edit3"), QStringLiteral("client01"));
    }

    // One build; false when it did not end with "complete".
    bool build(const QString& diskette, bool verify = true) {
        DriveTable drives;
        drives.map(QLatin1Char('A'), diskette);
        DosFs fs(drives);
        QuietDialogs dialogs;
        NullView view;
        StampClock clock;
        BuildRun run(fs, dialogs, view, clock);
        run.FormShow(settings, prog);
        run.setVerify(verify);
        run.MakeTheDisk();
        return !run.BuildCancelled();
    }

    QTemporaryDir tmp;
    QString prog;
    BuildSettings settings;
};

void buildIntoDirectory(benchmark::State& state, int mode) {
    setDelayPacing(0);
    Environment env;
    env.settings.setBuildMode(BuildMode(mode));
    const QString disk = env.tmp.filePath(QStringLiteral("disk"));
    QDir().mkpath(disk);
    for (auto _ : state) {
        if (!env.build(disk)) {
            state.SkipWithError("build did not complete");
            break;
        }
    }
}

void buildOntoFreshImage(benchmark::State& state, int mode, bool verify = true) {
    setDelayPacing(0);
    Environment env;
    env.settings.setBuildMode(BuildMode(mode));
    const QString image = env.tmp.filePath(QStringLiteral("A.img"));
    const quint64 before = Mtools::processCount();
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(image); // the build formats a fresh diskette on its first write
        state.ResumeTiming();
        if (!env.build(image, verify)) {
            state.SkipWithError("build did not complete");
            break;
        }
    }
    state.counters["mtools"] =
        benchmark::Counter(double(Mtools::processCount() - before), benchmark::Counter::kAvgIterations);
}

void BM_MulticastDirectory(benchmark::State& state) {
    buildIntoDirectory(state, 1);
}
void BM_NoNetworkDirectory(benchmark::State& state) {
    buildIntoDirectory(state, 4);
}
void BM_MulticastImage(benchmark::State& state) {
    buildOntoFreshImage(state, 1);
}
void BM_NoNetworkImage(benchmark::State& state) {
    buildOntoFreshImage(state, 4);
}
void BM_MulticastImageNoVerify(benchmark::State& state) {
    buildOntoFreshImage(state, 1, false);
}
void BM_NoNetworkImageNoVerify(benchmark::State& state) {
    buildOntoFreshImage(state, 4, false);
}

BENCHMARK(BM_MulticastDirectory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoNetworkDirectory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MulticastImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoNetworkImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MulticastImageNoVerify)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoNetworkImageNoVerify)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the image volume runs mtools through QProcess
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
