#pragma once

#include "rules/host_list.h"
#include "rules/wizard_flow.h"

#include <QList>
#include <QString>
#include <optional>

class BuildSettings;
struct AddressPage;

// The host list the wizard works through, and how far it has got: an address page puts the host
// whose diskette is next into its fields once, when the host comes up, instead of the increment,
// and the host counts as done once its diskette is built or updated. Showing the page again before
// that (Back, then Next) keeps what its fields hold, a correction of the user's included.
class HostQueue {
public:
    // Starts on the first host of an accepted list.
    void load(HostList list);
    // Back to the increments.
    void close();

    bool active() const { return m_active; }
    const HostList& list() const { return m_list; }

    // The host the next diskette gets, or nullopt when there is no list or every host is done.
    std::optional<Host> current() const;
    // The current host's number from 1.
    int position() const { return m_next + 1; }

    // True when the page has yet to put the current host into its fields.
    bool due(PageId page) const;
    // A page put the current host into its fields: the next diskette built through that page is
    // the host's.
    void taken(PageId page);
    // The pages' fields were replaced (a loaded configuration): each page puts the host in afresh.
    void valuesReplaced() { m_takenBy.clear(); }
    // A diskette of this BuildMode was built: the host taken for it is done.
    void built(BuildMode buildMode);
    // The current host's diskette was updated by the batch.
    void advance();

    // The line a page shows while a list is loaded: "Host 3 of 30: LAB3", or that every host of
    // the list has its diskette.
    QString line() const;
    // The same, followed by what the page's fields hold where it differs from the current host:
    // "Host 1 of 3: LAB1 (changed for this diskette: name LABX)".
    QString line(const BuildSettings& shown, const AddressPage& page) const;

private:
    HostList m_list;
    bool m_active = false;
    int m_next = 0;
    QList<PageId> m_takenBy; // the pages whose fields hold the current host
};
