#include "rules/host_queue.h"

#include "rules/address_routines.h"
#include "settings/address_text.h"
#include "settings/build_settings.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// An address as people write it ("10.0.2.9"), so that a field's blanks and leading zeros do not
// count as a change; any other text as it stands.
QString plainAddress(const QString& text) {
    if (!AddressText::isMaskedAddress(text))
        return text.trimmed();
    QStringList groups = text.split(QLatin1Char('.'));
    for (QString& group : groups)
        group = group.trimmed().isEmpty() ? QString() : QString::number(group.trimmed().toInt());
    return groups.join(QLatin1Char('.'));
}

} // namespace

void HostQueue::load(HostList list) {
    m_list = std::move(list);
    m_active = true;
    m_next = 0;
    m_takenBy.clear();
}

void HostQueue::close() {
    *this = HostQueue();
}

std::optional<Host> HostQueue::current() const {
    if (!m_active || m_next >= m_list.size())
        return std::nullopt;
    return m_list.hosts().at(m_next);
}

bool HostQueue::due(PageId page) const {
    return current() && !m_takenBy.contains(page);
}

void HostQueue::taken(PageId page) {
    if (current() && !m_takenBy.contains(page))
        m_takenBy.append(page);
}

void HostQueue::built(BuildMode buildMode) {
    const bool taken = (buildMode == BuildMode::Multicast && m_takenBy.contains(PageId::MulticastClient)) ||
                       (buildMode == BuildMode::Microsoft && m_takenBy.contains(PageId::MicrosoftStandalone));
    if (taken)
        advance();
}

void HostQueue::advance() {
    m_takenBy.clear();
    if (current())
        ++m_next;
}

QString HostQueue::line() const {
    if (!m_active)
        return {};
    if (const std::optional<Host> host = current())
        return QStringLiteral("Host %1 of %2: %3").arg(position()).arg(m_list.size()).arg(host->name);
    return QStringLiteral("Every host of %1 has its diskette (%2 of %2).")
        .arg(QFileInfo(m_list.file()).fileName())
        .arg(m_list.size());
}

QString HostQueue::line(const BuildSettings& shown, const AddressPage& page) const {
    const std::optional<Host> host = current();
    if (!host)
        return line();
    QStringList changes;
    if (const QString name = shown.text(page.nameField); name != host->name)
        changes << QStringLiteral("name %1").arg(name.isEmpty() ? QStringLiteral("(empty)") : name);
    if (const QString address = plainAddress(shown.text(page.addressField));
        address != plainAddress(host->addressField()))
        changes << QStringLiteral("address %1").arg(address);
    // A host without a mask of its own takes the page's.
    if (const QString mask = plainAddress(shown.text(page.maskField));
        !host->maskField().isNull() && mask != plainAddress(host->maskField()))
        changes << QStringLiteral("mask %1").arg(mask);
    if (changes.isEmpty())
        return line();
    return line() +
           QStringLiteral(" (changed for this diskette: %1)").arg(changes.join(QStringLiteral(", ")));
}
