// Any bytes as a diskette's WATTCP.CFG and any address and name: the batch update's rewrite adds no
// line but the three keys, keeps every other line in its place, and changes nothing when run again
// with the same values.
#include "batch/batch_update.h"
#include "fuzz_check.h"
#include "platform/text_codec.h"

#include <QList>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// Lines without their breaks; a break is CR LF, CR or LF.
QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << bytes.mid(start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << bytes.mid(start);
    return lines;
}

bool isKeyLine(const QByteArray& line, const QList<QByteArray>& written) {
    return written.contains(line);
}

// The new line may stand where the old one stood when both are the same key.
bool mayReplace(const QByteArray& oldLine, const QByteArray& newLine, const QList<QByteArray>& written) {
    if (oldLine == newLine)
        return true;
    if (!written.contains(newLine))
        return false;
    const QByteArray key = newLine.left(newLine.indexOf('='));
    return oldLine.left(key.size()).toUpper() == key;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    BatchUpdate::Fields fields;
    fields.updateAddress = fdp.ConsumeBool();
    const std::string address = fdp.ConsumeRandomLengthString(20);
    fields.address = QString::fromUtf8(address.data(), qsizetype(address.size()));
    fields.updateName = fdp.ConsumeBool();
    const std::string name = fdp.ConsumeRandomLengthString(20);
    fields.name = fdp.ConsumeBool() ? QString::fromUtf8(name.data(), qsizetype(name.size()))
                                    : QString::fromLatin1(name.data(), qsizetype(name.size()));
    const std::vector<uint8_t> rest = fdp.ConsumeRemainingBytes<uint8_t>();
    const QByteArray old(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));

    QByteArray out;
    try {
        out = BatchUpdate::rewrite(old, fields);
    } catch (const BatchUpdate::FieldError&) {
        return 0;
    }
    QList<QByteArray> written;
    if (fields.updateAddress)
        written << "MY_IP=" + TextCodec::toCp1252(QString(fields.address.trimmed()).remove(u' '));
    if (fields.updateName)
        written << "HOSTNAME=" + TextCodec::toCp1252(fields.name.trimmed());

    const QList<QByteArray> before = linesOf(old);
    const QList<QByteArray> after = linesOf(out);
    FUZZ_CHECK(out.isEmpty() || out.endsWith('\n') || out.endsWith('\r'), "the last line has no break");
    const qsizetype added = after.size() - before.size();
    FUZZ_CHECK(added >= 0 && added <= written.size(),
               QStringLiteral("%1 lines became %2: %3").arg(before.size()).arg(after.size()).arg(shown(out)));
    // The added lines stand together in one place; around them every line is the old one or the
    // same key with its new value.
    bool fits = false;
    for (qsizetype at = 0; at <= before.size() && !fits; ++at) {
        bool ok = true;
        for (qsizetype i = 0; i < after.size() && ok; ++i) {
            if (i >= at && i < at + added)
                ok = isKeyLine(after[i], written);
            else
                ok = mayReplace(before[i < at ? i : i - added], after[i], written);
        }
        fits = ok;
    }
    FUZZ_CHECK(fits, "a line was changed, moved or injected: " + shown(old) + " became " + shown(out));
    const QByteArray again = BatchUpdate::rewrite(out, fields);
    FUZZ_CHECK(again == out, "a second run changed " + shown(out) + " into " + shown(again));
    return 0;
}
