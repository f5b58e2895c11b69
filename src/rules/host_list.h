#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// One row of a host list: the diskette of one client. Values as written, blanks around them taken
// off; empty when the row leaves them out.
struct Host {
    int line = 0; // the line of the file where the row starts
    QString name;
    QString address;
    QString mask;
    QString mac;

    // The address and the mask as the page's 15-character field holds them (" 10.  0.  0.  5"),
    // groups written without leading zeros; a null text when the value is no address.
    QString addressField() const;
    QString maskField() const;
    // The MAC in lower case with dashes ("00-1a-2b-3c-4d-5e"); empty when there is none or it is
    // malformed.
    QString macKey() const;
};

// A problem of a host list, at the line it concerns.
struct HostProblem {
    int line = 0;
    QString text;
    bool operator==(const HostProblem&) const = default;
};

// A list of clients, one diskette each: a CSV file (RFC 4180 quoting; UTF-8, Windows-1252, or
// UTF-16 with a byte order mark, one of them throughout) whose header row names the columns name
// and address, and optionally mask and mac, in any order. Lines starting with "#" and blank lines
// are skipped. The whole list is checked before any diskette is written, so that a lab never ends
// up half built from a list with a typing error in row 20.
class HostList {
public:
    // Whose name a host's name becomes: the Multicast client page's client name (written to
    // WATTCP.CFG in capitals) or the Microsoft standalone page's computer name (a NetBIOS name).
    enum class Names { ClientName, ComputerName };

    // Larger files are no host list; reading them whole would only use up memory.
    static constexpr qint64 MaxBytes = qint64{4} * 1024 * 1024;

    HostList() = default;
    // Reads and parses a file. Throws IoError when it cannot be read, is no regular file (a fifo
    // or a device is refused before a byte is read) or is too large.
    static HostList read(const QString& path);
    // Parses the bytes of a file; `file` is how problems name it.
    static HostList parse(const QByteArray& bytes, const QString& file);

    const QString& file() const { return m_file; }
    const QList<Host>& hosts() const { return m_hosts; }
    qsizetype size() const { return m_hosts.size(); }
    bool hasMacs() const;

    // Every problem of the list, in line order: the file's form, then each row's values checked
    // for the page that takes them, then names, addresses and MACs given twice.
    QList<HostProblem> problems(Names names) const;
    // The problems as reported: "FILE:LINE: what is wrong".
    QStringList report(Names names) const;

    // Why a name cannot be the page's name, or an empty text.
    static QString nameProblem(const QString& name, Names names);

private:
    QString m_file;
    QList<Host> m_hosts;
    QList<HostProblem> m_formProblems; // of the CSV form and the header
    bool m_headerComplete = true;      // the header names both name and address
    bool m_hasMaskColumn = false;
    QSet<int> m_brokenLines; // rows whose form is broken: their values are not judged
};
