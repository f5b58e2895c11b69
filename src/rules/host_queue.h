#pragma once

#include "rules/host_list.h"
#include "rules/wizard_flow.h"

#include <QString>
#include <optional>

// The host list the wizard works through, and how far it has got: the address pages put the
// host whose diskette is next into their fields each time they are shown, instead of the
// increment, and the host counts as done once its diskette is built or updated. Showing a page
// again before that (Back, then Next) gives the same host again, so no host is skipped.
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

    // A page put the current host into its fields: the next diskette built through that page is
    // the host's.
    void taken(PageId page);
    // A diskette of this BuildMode was built: the host taken for it is done.
    void built(int buildMode);
    // The current host's diskette was updated by the batch.
    void advance();

    // The line a page shows while a list is loaded: "Host 3 of 30: LAB3", or that every host of
    // the list has its diskette.
    QString line() const;

private:
    HostList m_list;
    bool m_active = false;
    int m_next = 0;
    std::optional<PageId> m_takenBy;
};
