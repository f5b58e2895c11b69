// Any bytes as the NIC catalogue and PCBW.INI: the list shows each card once and "Other - Have Disk"
// last, and every listed card leads to a driver path made of the driver directory and its entry.
#include "fuzz_check.h"
#include "platform/profile_document.h"
#include "rules/nic_catalogue.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
               "cannot write " + path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    FuzzedDataProvider fdp(data, size);
    const auto mode = BuildMode(fdp.ConsumeIntegralInRange(1, 4));
    const std::string prefs = fdp.ConsumeRandomLengthString(200);
    const std::vector<uint8_t> rest = fdp.ConsumeRemainingBytes<uint8_t>();
    const QByteArray catalogue(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));
    put(dir.filePath(QStringLiteral("PCBW.INI")), QByteArray(prefs.data(), qsizetype(prefs.size())));
    put(dir.filePath(mode == BuildMode::NetWare ? QStringLiteral("PCBWNICS.INI")
                                                : QStringLiteral("PCBWNICM.INI")),
        catalogue);

    const NicCatalogue nics(dir.path(), mode);
    const QStringList entries = nics.entries();
    FUZZ_CHECK(!entries.isEmpty() && entries.last() == NicCatalogue::otherHaveDisk(), "no browse entry last");
    FUZZ_CHECK(entries.count(NicCatalogue::otherHaveDisk()) == 1, "the browse entry twice");
    QSet<QString> seen;
    const ProfileDocument file(catalogue);
    const ProfileDocument preferences(QByteArray(prefs.data(), qsizetype(prefs.size())));
    const QString driverDir =
        preferences.readString(QStringLiteral("LOCATIONS"), QStringLiteral("NICDriverPath"));
    for (qsizetype i = 0; i + 1 < entries.size(); ++i) {
        const QString& entry = entries[i];
        FUZZ_CHECK(!seen.contains(entry.toCaseFolded()), "listed twice: " + entry);
        seen.insert(entry.toCaseFolded());
        FUZZ_CHECK(mode != BuildMode::NoNetwork, "a list in No-network mode");
        // No value read from a line can hold a line break: this default is never a card's driver.
        const QString missing = QStringLiteral("\n");
        const QString driver = file.readString(QStringLiteral("NICS"), entry, missing);
        FUZZ_CHECK(driver != missing, "a listed card has no entry: " + entry);
        const QString path = nics.driverPath(entry);
        FUZZ_CHECK(path == (driverDir + driver).toUpper().trimmed(), "driver of " + entry + ": " + path);
    }
    return 0;
}
