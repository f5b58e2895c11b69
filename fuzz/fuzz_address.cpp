// Any text in the address and name fields: the show-time increment, the name numbering, the
// character replacement and the address forms keep their rules, each checked against the rule as
// the address fields' documentation states it, written here anew.
#include "fuzz_check.h"
#include "rules/address_routines.h"
#include "settings/address_text.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace {

QString trimLow(const QString& text) { // characters of code 32 or below
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from].unicode() <= 32)
        ++from;
    while (to > from && text[to - 1].unicode() <= 32)
        --to;
    return text.mid(from, to - from);
}

bool digit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Positions from 1: the tail runs from L-3 (or the first character) to the end.
std::optional<QString> increment(const QString& t) {
    const qsizetype l = t.size();
    const QString tail = trimLow(t.mid(std::max<qsizetype>(l - 3, 1) - 1));
    const qsizetype p = tail.indexOf(u'.') + 1;
    const QString octet = p > 0 ? tail.mid(p) : tail;
    const qsizetype cut = l - 3 + p;
    qsizetype i = 0;
    while (i < octet.size() && octet[i] == u' ')
        ++i;
    if (i == octet.size())
        return std::nullopt;
    long value = 0;
    for (; i < octet.size(); ++i) {
        if (!digit(octet[i]))
            return std::nullopt;
        value = value * 10 + octet[i].digitValue();
    }
    long n = value + 1;
    if (n > 255)
        n = 1;
    const QString three = QString(QStringLiteral("000") + QString::number(n)).right(3);
    return (cut - 2 > 0 ? t.left(cut - 2) : QString()) + u'.' + three;
}

QString numbered(const QString& name, const QStringList& toClient) {
    QString s = trimLow(name);
    if (toClient.contains(s))
        s = QStringLiteral("CLIENT");
    qsizetype run = s.size();
    while (run > 0 && digit(s[run - 1]))
        --run;
    const QString digits = s.mid(run);
    bool ok = false;
    const qlonglong v = digits.toLongLong(&ok);
    // A run too long for 64 bits is beyond 2147483647 too.
    const qlonglong counter = digits.isEmpty() || !ok || v > 2147483647 ? 0 : v;
    return trimLow(s.left(run)) + QString::number(counter + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider fdp(data, size);
    const std::string raw = fdp.ConsumeRandomLengthString(40);
    const QString text = QString::fromUtf8(raw.data(), qsizetype(raw.size()));

    const std::optional<QString> got = AddressRoutines::incrementLastOctet(text);
    const std::optional<QString> wanted = increment(text);
    FUZZ_CHECK(got == wanted, "increment of \"" + text + "\" gave \"" + got.value_or("<none>") +
                                  "\", not \"" + wanted.value_or("<none>") + '"');
    if (got) {
        const QString last = got->right(3);
        FUZZ_CHECK(got->endsWith(u'.' + last) && last.toInt() >= 1 && last.toInt() <= 255,
                   "no octet of three digits: " + *got);
    }
    if (AddressText::isMaskedAddress(text) && got) {
        FUZZ_CHECK(got->size() == 15 && got->left(12) == text.left(12),
                   "the first three groups changed: " + text + " -> " + *got);
        FUZZ_CHECK(AddressText::isMaskedAddress(*got), "no masked address after: " + *got);
    }

    for (const AddressPage* page : {&AddressPages::MulticastClient, &AddressPages::PostConfiguration,
                                    &AddressPages::MicrosoftStandalone}) {
        const QString name = AddressRoutines::AutoClientInc(text, *page);
        FUZZ_CHECK(name == numbered(text, page->namesToClient),
                   "name \"" + text + "\" became \"" + name + '"');
    }

    const QString padded = AddressText::paddedAddress(text);
    if (!padded.isNull()) {
        FUZZ_CHECK(AddressText::isMaskedAddress(padded), "padded form not masked: " + padded);
        FUZZ_CHECK(QString(padded).remove(u' ') == text, "padded form reads otherwise: " + padded);
    }

    const std::string find = fdp.ConsumeRandomLengthString(2);
    const std::string with = fdp.ConsumeRandomLengthString(2);
    const QString f = QString::fromLatin1(find.data(), qsizetype(find.size()));
    const QString r = QString::fromLatin1(with.data(), qsizetype(with.size()));
    const QString replaced = StrTran(text, f, r);
    QString expected;
    for (const QChar c : text)
        expected += f.size() == 1 && c == f[0] ? r : QString(c);
    FUZZ_CHECK(replaced == expected, "StrTran of \"" + text + "\"");

    QString address = text;
    QString mask = text;
    AddressRoutines::blankFill(address, mask);
    FUZZ_CHECK(address == (text == AddressText::Blank ? AddressText::DefaultAddress : text), "blank fill");
    FUZZ_CHECK(mask == (text == AddressText::Blank ? AddressText::DefaultMask : text),
               "blank fill of the mask");
    return 0;
}
