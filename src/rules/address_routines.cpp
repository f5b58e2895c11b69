#include "rules/address_routines.h"

#include "platform/text_util.h"

#include <QRegularExpression>

namespace AddressRoutines {

namespace {

const QString kClient = QStringLiteral("CLIENT");
constexpr qint64 kLargestCounter = 2147483647;

// A decimal octet after optional leading blanks; anything else, or nothing, cannot be read.
std::optional<int> readOctet(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        if (!AddressText::isDigit(text[i]))
            return std::nullopt;
        value = value * 10 + text[i].digitValue();
        if (value > kLargestCounter)
            return std::nullopt;
    }
    return int(value);
}

// A remembered value is worth restoring only when it is a real entry, not the automatic word that
// was remembered when the fields were already switched.
QString restorable(const QString& remembered, const QString& rejectedPrefix, const QString& fallback) {
    if (remembered.isEmpty() || (!rejectedPrefix.isEmpty() && remembered.startsWith(rejectedPrefix)))
        return fallback;
    return remembered;
}

} // namespace

void blankFill(QString& address, QString& mask) {
    if (address == AddressText::Blank)
        address = AddressText::DefaultAddress;
    if (mask == AddressText::Blank)
        mask = AddressText::DefaultMask;
}

std::optional<QString> incrementLastOctet(const QString& address) {
    // Positions are counted from 1 as the rule states them; the tail starts at L-3, or at the first
    // character of a text shorter than that.
    const qsizetype length = address.size();
    const qsizetype tailStart = std::max<qsizetype>(1, length - 3);
    const QString tail = Trim(address.mid(tailStart - 1));
    const qsizetype dot = tail.indexOf(QLatin1Char('.')) + 1; // 0 when there is none
    const QString octetText = dot > 0 ? tail.mid(dot) : tail;
    const qsizetype cut = length - 3 + dot;

    const std::optional<int> octet = readOctet(octetText);
    if (!octet)
        return std::nullopt;
    int next = *octet + 1;
    if (next > 255)
        next = 1;
    const QString digits = QString(QStringLiteral("000") + QString::number(next)).right(3);
    return address.left(std::max<qsizetype>(0, cut - 2)) + QLatin1Char('.') + digits;
}

QString AutoClientInc(const QString& name, const AddressPage& page) {
    QString trimmed = Trim(name);
    if (page.namesToClient.contains(trimmed))
        trimmed = kClient;

    qsizetype runStart = trimmed.size();
    while (runStart > 0 && AddressText::isDigit(trimmed[runStart - 1]))
        --runStart;

    qint64 counter = 0;
    for (qsizetype i = runStart; i < trimmed.size(); ++i) {
        counter = counter * 10 + trimmed[i].digitValue();
        if (counter > kLargestCounter) {
            counter = 0;
            break;
        }
    }
    return Trim(trimmed.left(runStart)) + QString::number(counter + 1);
}

DhcpCheckEffect DHCPCheck(AddressFields& fields, const AddressPage& page) {
    DhcpCheckEffect effect;
    effect.maskSwitched = page.dhcpSwitchesMask;
    if (!page.dhcpTiesIncrement.isEmpty())
        effect.incrementSwitchTouched = true;

    if (fields.dhcp) {
        // Once switched, the fields show the word: remembering again would replace the user's
        // address with it, so the values from the first switch stay.
        if (page.dhcpSwitchesBack && !fields.automatic) {
            fields.remembered.address = fields.address;
            if (page.dhcpSwitchesMask)
                fields.remembered.mask = fields.mask;
        }
        fields.address = page.automaticWord;
        if (page.dhcpSwitchesMask)
            fields.mask = page.automaticWord;
        fields.automatic = true;
        effect.fieldsChanged = true;
        effect.incrementSwitchEnabled = false;
        effect.uncheckIncrementSwitch = effect.incrementSwitchTouched;
        return effect;
    }

    if (!page.dhcpSwitchesBack)
        return DhcpCheckEffect{};
    if (fields.automatic) {
        fields.address =
            restorable(fields.remembered.address, page.rejectedPrefix, AddressText::DefaultAddress);
        if (page.dhcpSwitchesMask)
            fields.mask = restorable(fields.remembered.mask, page.rejectedPrefix, AddressText::DefaultMask);
        fields.automatic = false;
        effect.fieldsChanged = true;
    }
    effect.incrementSwitchEnabled = true;
    return effect;
}

} // namespace AddressRoutines
