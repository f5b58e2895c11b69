#include "rules/host_queue.h"

#include <QFileInfo>

void HostQueue::load(HostList list) {
    m_list = std::move(list);
    m_active = true;
    m_next = 0;
    m_takenBy.reset();
}

void HostQueue::close() {
    *this = HostQueue();
}

std::optional<Host> HostQueue::current() const {
    if (!m_active || m_next >= m_list.size())
        return std::nullopt;
    return m_list.hosts().at(m_next);
}

void HostQueue::taken(PageId page) {
    if (current())
        m_takenBy = page;
}

void HostQueue::built(int buildMode) {
    const bool taken = (buildMode == 1 && m_takenBy == PageId::MulticastClient) ||
                       (buildMode == 3 && m_takenBy == PageId::MicrosoftStandalone);
    if (taken)
        advance();
}

void HostQueue::advance() {
    m_takenBy.reset();
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
