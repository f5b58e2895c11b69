// Any bytes as a profile file: read every key, write one, read again. Nothing but the written key
// may read differently, and a file that is only read gives back every byte.
#include "fuzz_check.h"
#include "platform/profile_document.h"

#include <QHash>
#include <QStringDecoder>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString blanksTrimmed(const QString& text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && (text[from] == u' ' || text[from] == u'\t'))
        ++from;
    while (to > from && (text[to - 1] == u' ' || text[to - 1] == u'\t'))
        --to;
    return text.mid(from, to - from);
}

bool sameName(const QString& a, const QString& b) {
    return blanksTrimmed(a).compare(blanksTrimmed(b), Qt::CaseInsensitive) == 0;
}

QString text(FuzzedDataProvider& fdp, size_t most) {
    const std::string raw = fdp.ConsumeRandomLengthString(most);
    // Either encoding, so that every character the file can and cannot hold comes up; a U+FEFF
    // at the start too, which the plain UTF-8 decoder would drop.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return fdp.ConsumeBool() ? QString(utf8(QByteArrayView(raw.data(), qsizetype(raw.size()))))
                             : QString::fromLatin1(raw.data(), qsizetype(raw.size()));
}

// No value read from a line can hold a line break: this default is never a key's value.
const QString kMissing = QStringLiteral("\n");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    const QString section = text(fdp, 24);
    const QString key = text(fdp, 24);
    const QString value = text(fdp, fdp.ConsumeBool() ? 1100 : 40);
    const std::vector<uint8_t> rest = fdp.ConsumeRemainingBytes<uint8_t>();
    const QByteArray file(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));

    const ProfileDocument before(file, QStringLiteral("fuzz.ini"));
    FUZZ_CHECK(before.bytes() == file, "read alone, the file changed: " + shown(before.bytes()));
    QHash<QPair<QString, QString>, QString> values;
    const auto entries = before.entries();
    for (const auto& entry : entries)
        values.insert(entry, before.readString(entry.first, entry.second, kMissing));
    for (const auto& entry : entries)
        FUZZ_CHECK(values.value(entry) != kMissing, "a listed key cannot be read: " + entry.second);
    (void)before.readSection(section);
    (void)before.readInteger(section, key, 7);

    ProfileDocument after(file, QStringLiteral("fuzz.ini"));
    try {
        after.writeString(section, key, value);
    } catch (const ProfileValueError&) {
        FUZZ_CHECK(after.bytes() == file, "a refused write changed the file");
        return 0;
    }
    const ProfileDocument reread(after.bytes(), QStringLiteral("fuzz.ini"));
    QString expected = value;
    if (expected.size() > ProfileDocument::LongestValue) {
        expected.truncate(ProfileDocument::LongestValue);
        if (expected.back().isHighSurrogate())
            expected.chop(1);
    }
    const QString got = reread.readString(section, key, kMissing);
    FUZZ_CHECK(got == expected, "the written key reads \"" + got + "\", not \"" + expected + '"');
    for (const auto& entry : entries) {
        if (sameName(entry.first, section) && sameName(entry.second, key))
            continue;
        const QString now = reread.readString(entry.first, entry.second, kMissing);
        FUZZ_CHECK(now == values.value(entry), "[" + entry.first + "] " + entry.second + " read \"" +
                                                   values.value(entry) + "\", now \"" + now + "\"; file " +
                                                   shown(after.bytes()));
    }
    return 0;
}
