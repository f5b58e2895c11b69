#include "settings/build_settings.h"

#include "platform/text_codec.h"
#include "settings/address_text.h"
#include "settings/page_values.h"

namespace {

bool isBuildMode(const QString& name) {
    return name == PageValue::BuildMode || name == PageValue::BuildModeAlias;
}

QString quoted(const QString& s) {
    return TextCodec::quoted(s);
}

// An optional minus and one to nine digits: within int, whatever the digits.
bool isDecimal(const QString& s) {
    const QStringView digits = QStringView(s).sliced(s.startsWith(u'-') ? 1 : 0);
    return digits.size() <= 9 && AddressText::isDigits(digits);
}

// The masked field's text for an address typed without its blanks: each group right-aligned in
// its three places, as a user fills the field. Empty text is what the field shows blank.
// Returns a null string when the text is no address.
QString normalisedQuad(const QString& s) {
    if (AddressText::isMaskedAddress(s))
        return s;
    if (s.isEmpty())
        return QStringLiteral("   .   .   .   ");
    QString upper = s.toUpper();
    if (upper == QLatin1String("DHCP") || upper == QLatin1String("BOOTP"))
        return upper;
    return AddressText::paddedAddress(s);
}

} // namespace

BuildSettings::BuildSettings() {
    for (const ValueSpec& s : SettingsTable::values())
        m_values.insert(s.name, s.defaultValue);
}

const ValueSpec& BuildSettings::entry(const QString& name) const {
    const ValueSpec* s = SettingsTable::findNameOrAlias(name);
    if (!s)
        throw SettingsError(
            QStringLiteral("unknown value name %1 (bootwright-cli values lists every name and alias)")
                .arg(quoted(name)));
    return *s;
}

QString BuildSettings::value(const QString& name) const {
    if (isBuildMode(name))
        return QString::number(BuildModes::number(m_buildMode));
    return m_values.value(entry(name).name);
}

bool BuildSettings::isChecked(const QString& name) const {
    const ValueSpec& s = entry(name);
    if (s.kind != ValueKind::Check && s.kind != ValueKind::Radio)
        throw SettingsError(QStringLiteral("%1 is not a check box or radio button").arg(name));
    return m_values.value(s.name) == QLatin1String("1");
}

int BuildSettings::index(const QString& name) const {
    const ValueSpec& s = entry(name);
    if (s.kind != ValueKind::Index)
        throw SettingsError(QStringLiteral("%1 is not a drop-down list").arg(name));
    return m_values.value(s.name).toInt();
}

QString BuildSettings::itemText(const QString& name) const {
    const int i = index(name);
    const QStringList& items = entry(name).items;
    return i >= 0 && i < items.size() ? items[i] : QString();
}

void BuildSettings::setText(const QString& name, const QString& text) {
    const ValueSpec& s = entry(name);
    if (s.kind != ValueKind::Text && s.kind != ValueKind::ComboText && s.kind != ValueKind::DottedQuad)
        throw SettingsError(QStringLiteral("%1 is not a text value").arg(name));
    setValue(name, text);
}

void BuildSettings::setChecked(const QString& name, bool checked) {
    const ValueSpec& s = entry(name);
    if (s.kind != ValueKind::Check && s.kind != ValueKind::Radio)
        throw SettingsError(QStringLiteral("%1 is not a check box or radio button").arg(name));
    if (s.kind == ValueKind::Radio && checked) {
        for (const ValueSpec& other : SettingsTable::values()) {
            if (other.kind == ValueKind::Radio && other.group == s.group)
                m_values[other.name] = QStringLiteral("0");
        }
    }
    m_values[s.name] = checked ? QStringLiteral("1") : QStringLiteral("0");
}

void BuildSettings::setIndex(const QString& name, int index) {
    const ValueSpec& s = entry(name);
    if (s.kind != ValueKind::Index)
        throw SettingsError(QStringLiteral("%1 is not a drop-down list").arg(name));
    setValue(name, QString::number(index));
}

void BuildSettings::setValue(const QString& name, const QString& saveForm) {
    if (isBuildMode(name)) {
        const std::optional<BuildMode> mode =
            BuildModes::fromNumber(isDecimal(saveForm) ? saveForm.toInt() : 0);
        if (!mode)
            throw SettingsError(QStringLiteral("%1 takes 1 to 4, not %2").arg(name, quoted(saveForm)));
        m_buildMode = *mode;
        return;
    }
    const ValueSpec& s = entry(name);
    switch (s.kind) {
    case ValueKind::Check:
    case ValueKind::Radio:
        if (saveForm != QLatin1String("1") && saveForm != QLatin1String("0"))
            throw SettingsError(
                QStringLiteral("%1 takes \"1\" or \"0\", not %2").arg(name, quoted(saveForm)));
        setChecked(name, saveForm == QLatin1String("1"));
        return;
    case ValueKind::Index: {
        const int last = int(s.items.size()) - 1;
        const int i = isDecimal(saveForm) ? saveForm.toInt() : -2;
        if (i < -1 || i > last)
            throw SettingsError(QStringLiteral("%1 takes an index from -1 to %2, not %3")
                                    .arg(name, QString::number(last), quoted(saveForm)));
        m_values[s.name] = QString::number(i);
        return;
    }
    case ValueKind::DottedQuad: {
        const QString quad = normalisedQuad(saveForm);
        if (quad.isNull())
            throw SettingsError(QStringLiteral("%1 takes an address such as 10.0.0.5, the 15-character form "
                                               "\"  0.  0.  0.  0\", DHCP or BOOTP, not %2")
                                    .arg(name, quoted(saveForm)));
        m_values[s.name] = quad;
        return;
    }
    case ValueKind::Text:
    case ValueKind::ComboText:
        // Every reader writes the value into one line of a file on the diskette or in a profile, where
        // a line break adds lines, U+001A ends the file for DOS and U+001B starts a terminal command.
        if (const QString c = TextCodec::firstControl(saveForm); !c.isEmpty())
            throw SettingsError(QStringLiteral("%1 (%2) is one line of text and cannot hold the control "
                                               "character %3")
                                    .arg(s.alias, s.meaning, TextCodec::describe(c)));
        m_values[s.name] = saveForm;
        return;
    }
}
