// Reading and writing PCBWSAVE.INI when it holds all 100 saved configurations.
#include "platform/profile_file.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QStringList& slotKeys() {
    static const QStringList keys = [] {
        QStringList k{"desc",   "parama", "paramb", "paramc", "paramo",
                      "paramd", "parame", "paramf", "paramaa"};
        for (const char* name :
             {"paramx", "paramy",  "paramz",  "paramh",  "parami",  "paramr",  "params", "paramt",
              "paramu", "paramab", "paramac", "paramad", "paramae", "paramaf", "paramj", "paramp",
              "paramk", "paraml",  "paramm",  "paramn",  "paramv",  "paramw"})
            k << name;
        for (char c = 'a'; c <= 'z'; ++c)
            k << QStringLiteral("paramb") + QChar(c);
        k << "paramca";
        return k;
    }();
    return keys;
}

QString valueFor(const QString& key, int slot) {
    if (key == "desc")
        return QStringLiteral("Lab %1 classroom image").arg(slot);
    if (key == "paramd" || key == "parambz")
        return QStringLiteral("\"192.168.%1.  5\"").arg(slot, 3);
    if (key == "parame" || key == "paramca")
        return QStringLiteral("\"255.  0.  0.  0\"");
    if (key == "paramb")
        return QStringLiteral("C:\\NICS\\NE2000.DOS");
    if (key == "parama")
        return QStringLiteral("C:\\PCBW\\client.exe");
    if (key == "paramaf")
        return QStringLiteral("\\\\SERVER\\SHARE\\PCBW");
    if (key == "paramaa")
        return QStringLiteral("CLIENT%1").arg(slot, 3, 10, QLatin1Char('0'));
    if (key.size() == 6 || key.startsWith("parama"))
        return QString::number(slot % 4);
    return slot % 2 ? QStringLiteral("1") : QStringLiteral("0");
}

// The file as the program leaves it after 100 saves: written directly, since 6000 single writes,
// each replacing the file, would take longer than the measurements.
const QString& savePath() {
    static QTemporaryDir dir;
    static const QString path = [] {
        QString p = dir.filePath("PCBWSAVE.INI");
        QString text = "[SAVED]\r\nLastSavedItemWas=100\r\n";
        for (int slot = 1; slot <= 100; ++slot)
            text += QStringLiteral("Lab %1 classroom image=SAVED%1\r\n").arg(slot);
        for (int slot = 1; slot <= 100; ++slot) {
            text += QStringLiteral("[SAVED%1]\r\n").arg(slot);
            for (const QString& key : slotKeys())
                text += key + u'=' + valueFor(key, slot) + "\r\n";
        }
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly) || f.write(text.toLatin1()) < 0)
            std::abort();
        return p;
    }();
    return path;
}

void BM_Read200Keys(benchmark::State& state) {
    const QString& path = savePath();
    const QStringList& keys = slotKeys();
    for (auto _ : state) {
        for (int i = 0; i < 200; ++i) {
            const QString section = QStringLiteral("SAVED%1").arg(1 + (i * 37) % 100);
            benchmark::DoNotOptimize(ProfileFile(path).readString(section, keys.at(i % keys.size())));
        }
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_Read200Keys)->Unit(benchmark::kMillisecond);

void BM_WriteOneKey(benchmark::State& state) {
    const QString& path = savePath();
    int n = 0;
    for (auto _ : state)
        ProfileFile(path).writeString("SAVED57", "paramd", QStringLiteral("10.  0.  0.%1").arg(++n % 256, 3));
}
BENCHMARK(BM_WriteOneKey)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
