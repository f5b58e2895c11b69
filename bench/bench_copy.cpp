// CopyMyFile of a 1 MiB file onto a host directory and into a diskette image.
#include "platform/copy_file.h"
#include "platform/dos_fs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr qint64 kSize = 1024 * 1024;

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<DosFs> fs;
    QString blank; // a formatted 1.44 MB image to start each image copy from

    Fixture() {
        QDir(dir.path()).mkdir("C");
        QDir(dir.path()).mkdir("D");
        QFile source(dir.filePath("C/CLIENT.EXE"));
        if (source.open(QIODevice::WriteOnly)) {
            QByteArray data(kSize, Qt::Uninitialized);
            for (qint64 i = 0; i < kSize; ++i)
                data[i] = char((i * 7919) >> 3);
            source.write(data);
        }
        blank = dir.filePath("blank.img");
        QProcess::execute("mformat", {"-f", "1440", "-C", "-i", blank, "::"});
        DriveTable drives;
        drives.map('A', dir.filePath("A.img"));
        drives.map('C', dir.filePath("C"));
        drives.map('D', dir.filePath("D"));
        fs = std::make_unique<DosFs>(drives);
    }
    void freshImage() {
        QFile::remove(dir.filePath("A.img"));
        QFile::copy(blank, dir.filePath("A.img"));
    }
};

void reportFailure(benchmark::State& state, int result) {
    if (result != 0)
        state.SkipWithError(qPrintable(QStringLiteral("CopyMyFile returned %1").arg(result)));
}

void BM_CopyToDirectory(benchmark::State& state) {
    Fixture f;
    for (auto _ : state)
        reportFailure(state, CopyMyFile(*f.fs, "C:\\CLIENT.EXE", "D:\\CLIENT.EXE"));
    state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_CopyToDirectory)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each iteration copies onto a fresh blank diskette; making it is not timed.
void BM_CopyToImage(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        state.PauseTiming();
        f.freshImage();
        state.ResumeTiming();
        reportFailure(state, CopyMyFile(*f.fs, "C:\\CLIENT.EXE", "A:\\CLIENT.EXE"));
    }
    state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_CopyToImage)->Unit(benchmark::kMillisecond)->UseRealTime();

// Replacing a file already on the diskette: one more mtools call to read its attributes.
void BM_CopyOverFileOnImage(benchmark::State& state) {
    Fixture f;
    f.freshImage();
    reportFailure(state, CopyMyFile(*f.fs, "C:\\CLIENT.EXE", "A:\\CLIENT.EXE"));
    for (auto _ : state)
        reportFailure(state, CopyMyFile(*f.fs, "C:\\CLIENT.EXE", "A:\\CLIENT.EXE"));
    state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_CopyOverFileOnImage)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CopyFromImage(benchmark::State& state) {
    Fixture f;
    f.freshImage();
    reportFailure(state, CopyMyFile(*f.fs, "C:\\CLIENT.EXE", "A:\\CLIENT.EXE"));
    for (auto _ : state)
        reportFailure(state, CopyMyFile(*f.fs, "A:\\CLIENT.EXE", "D:\\CLIENT.EXE"));
    state.SetBytesProcessed(state.iterations() * kSize);
}
BENCHMARK(BM_CopyFromImage)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
