#include "rules/host_list.h"

#include "platform/io_error.h"
#include "platform/text_codec.h"
#include "settings/address_text.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QStringList kColumns{QStringLiteral("name"), QStringLiteral("address"), QStringLiteral("mask"),
                           QStringLiteral("mac")};

// One record of the file: its fields and where it starts.
struct Record {
    int line = 0;
    QStringList fields;
    QString error; // of its quoting; the fields are then what could be read
};

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// RFC 4180 records. A line break ends a record outside quotes (CR LF, LF or a lone CR); a quoted
// field may hold commas, doubled quotes and line breaks. Blanks around a field are not part of it,
// so "LAB1, 10.0.0.1" reads as people mean it.
class CsvReader {
public:
    explicit CsvReader(const QString& text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    // Skips blank lines and "#" lines; false at the end.
    bool skipToRecord() {
        while (!atEnd()) {
            qsizetype end = m_pos;
            while (end < m_text.size() && m_text[end] != u'\r' && m_text[end] != u'\n')
                ++end;
            const QString line = m_text.mid(m_pos, end - m_pos).trimmed();
            if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
                return true;
            m_pos = end;
            lineBreak();
        }
        return false;
    }

    Record next() {
        Record record;
        record.line = m_line;
        for (;;) {
            QString field;
            while (!atEnd() && isBlank(m_text[m_pos]))
                ++m_pos;
            if (!atEnd() && m_text[m_pos] == u'"')
                quoted(field, record);
            else
                unquoted(field, record);
            record.fields << field.trimmed();
            if (atEnd())
                break;
            if (m_text[m_pos] == u',') {
                ++m_pos;
                continue;
            }
            lineBreak();
            break;
        }
        return record;
    }

private:
    void quoted(QString& field, Record& record) {
        ++m_pos;
        for (;;) {
            if (atEnd()) {
                if (record.error.isEmpty())
                    record.error = QStringLiteral("the quote that opens field %1 is never closed")
                                       .arg(record.fields.size() + 1);
                return;
            }
            const QChar c = m_text[m_pos];
            if (c == u'"') {
                if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'"') {
                    field += c;
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                break;
            }
            if (c == u'\r' || c == u'\n') {
                field += QLatin1Char('\n');
                lineBreak();
                continue;
            }
            field += c;
            ++m_pos;
        }
        while (!atEnd() && isBlank(m_text[m_pos]))
            ++m_pos;
        if (!atEnd() && !isEnd(m_text[m_pos])) {
            if (record.error.isEmpty())
                record.error = QStringLiteral("text after the closing quote of field %1 (a quote inside a "
                                              "quoted field is written twice)")
                                   .arg(record.fields.size() + 1);
            unquoted(field, record);
        }
    }

    void unquoted(QString& field, Record& record) {
        while (!atEnd() && !isEnd(m_text[m_pos])) {
            if (m_text[m_pos] == u'"' && record.error.isEmpty())
                record.error =
                    QStringLiteral("a quote inside field %1, which does not start with one (put the "
                                   "field in quotes and write the quote twice)")
                        .arg(record.fields.size() + 1);
            field += m_text[m_pos++];
        }
    }

    static bool isEnd(QChar c) { return c == u',' || c == u'\r' || c == u'\n'; }

    void lineBreak() {
        if (atEnd())
            return;
        if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

// Where each line of the file starts, counted as the reader counts lines (CR LF, LF or a lone CR).
QList<qsizetype> lineStarts(const QByteArray& bytes) {
    QList<qsizetype> starts{0};
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        if (bytes[i] == '\r' || bytes[i] == '\n')
            starts << i + 1;
    }
    return starts;
}

bool isUtf8(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes); // decodes only when taken as a text
    return !utf8.hasError();
}

// The text of the file, and what is wrong with its encoding (line 0: nothing).
struct Decoded {
    QString text;
    HostProblem problem;
};

Decoded decode(const QByteArray& bytes) {
    // Notepad's "Unicode" is UTF-16 with a byte order mark; without one it cannot be told apart
    // from other bytes for sure, but a NUL beside the first character gives it away.
    if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
        QStringDecoder utf16(bytes.startsWith("\xff\xfe") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE);
        const QString text = utf16.decode(QByteArrayView(bytes).sliced(2));
        if (utf16.hasError() || bytes.size() % 2 != 0 || !text.isValidUtf16())
            return {{}, {1, QStringLiteral("the list starts as UTF-16 but is not UTF-16 throughout")}};
        return {text, {}};
    }
    if (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0'))
        return {{},
                {1, QStringLiteral("the list is UTF-16 without a byte order mark: save it as UTF-8, or as "
                                   "UTF-16 with one")}};
    if (isUtf8(bytes)) {
        QString text = QString::fromUtf8(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return {text, {}};
    }
    // Bytes that are no UTF-8 come from a Windows editor: Windows-1252, for the whole file. A line
    // that is UTF-8 beside one that is not would be read wrong either way, without a word.
    Decoded out{TextCodec::fromCp1252(bytes), {}};
    const QList<qsizetype> starts = lineStarts(bytes);
    int firstUtf8 = 0;
    int firstCp1252 = 0;
    for (qsizetype l = 0; l < starts.size() && !(firstUtf8 && firstCp1252); ++l) {
        const qsizetype end = l + 1 < starts.size() ? starts[l + 1] : bytes.size();
        const QByteArrayView line = QByteArrayView(bytes).sliced(starts[l], end - starts[l]);
        if (std::all_of(line.begin(), line.end(), [](char c) { return uchar(c) < 0x80; }))
            continue;
        int& first = isUtf8(line) ? firstUtf8 : firstCp1252;
        if (!first)
            first = int(l + 1);
    }
    if (firstUtf8 && firstCp1252) {
        const bool utf8First = firstUtf8 < firstCp1252;
        out.problem = {qMax(firstUtf8, firstCp1252),
                       QStringLiteral("this line is %1 and line %2 is %3: save the list in one "
                                      "encoding, UTF-8")
                           .arg(utf8First ? QStringLiteral("Windows-1252") : QStringLiteral("UTF-8"))
                           .arg(qMin(firstUtf8, firstCp1252))
                           .arg(utf8First ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1252"))};
    }
    return out;
}

// The four groups of a dotted address, or an empty list when it is none.
QList<int> groups(const QString& text) {
    const QString padded = AddressText::paddedAddress(text);
    if (padded.isNull())
        return {};
    QList<int> out;
    for (const QString& group : padded.split(u'.'))
        out << group.trimmed().toInt();
    return out;
}

QString field(const QString& text) {
    const QList<int> g = groups(text);
    if (g.isEmpty() || *std::max_element(g.cbegin(), g.cend()) > 255)
        return {};
    return AddressText::paddedAddress(QStringLiteral("%1.%2.%3.%4").arg(g[0]).arg(g[1]).arg(g[2]).arg(g[3]));
}

// Why a value cannot be the address (or mask) field's, or an empty text.
QString addressProblem(const QString& value, const QString& what) {
    if (value.isEmpty())
        return QStringLiteral("no %1").arg(what);
    const QList<int> g = groups(value);
    if (g.isEmpty())
        return QStringLiteral("%1 \"%2\" is no dotted address such as 10.0.0.5").arg(what, value);
    for (int n : g) {
        if (n > 255)
            return QStringLiteral("%1 %2 has a group above 255 (%3)").arg(what, value).arg(n);
    }
    if (g == QList<int>{0, 0, 0, 0})
        return QStringLiteral("%1 %2 is no client's %1").arg(what, value);
    return {};
}

quint32 number(const QList<int>& g) {
    return quint32(g[0]) << 24 | quint32(g[1]) << 16 | quint32(g[2]) << 8 | quint32(g[3]);
}

// Why a well-formed address cannot be one client's, or an empty text.
QString clientAddressProblem(const QString& value) {
    const QList<int> g = groups(value);
    if (g.isEmpty())
        return {};
    if (number(g) == 0xFFFFFFFFu)
        return QStringLiteral("address %1 is the broadcast address, no client's").arg(value);
    if (g[0] >= 224 && g[0] <= 239)
        return QStringLiteral("address %1 is a multicast group (224.0.0.0 to 239.255.255.255), no "
                              "client's")
            .arg(value);
    return {};
}

// Why a well-formed mask is none (its ones must come first, in one run), or an empty text.
QString maskRunProblem(const QString& value) {
    const QList<int> g = groups(value);
    if (g.isEmpty())
        return {};
    const quint32 zeros = ~number(g);
    if ((zeros & (zeros + 1)) != 0)
        return QStringLiteral("mask %1 is no mask: its ones must come first, in one run, such as "
                              "255.255.255.0")
            .arg(value);
    return {};
}

const QRegularExpression& macForm() {
    static const QRegularExpression form(
        QStringLiteral("\\A[0-9A-Fa-f]{2}([:-])[0-9A-Fa-f]{2}(\\1[0-9A-Fa-f]{2}){4}\\z"));
    return form;
}

// The name as a message may show it: every control character a blank, so that none reaches a
// terminal or a message box.
QString withoutControls(QString name) {
    for (QChar& c : name) {
        if (c.unicode() < 32 || c.unicode() == 127)
            c = QLatin1Char(' ');
    }
    return name;
}

// Characters a NetBIOS computer name may hold besides letters and digits.
const QString kComputerNameMarks = QStringLiteral("!@#$%^&()-_'{}.~");

} // namespace

QString Host::addressField() const {
    return field(address);
}

QString Host::maskField() const {
    return field(mask);
}

QString Host::macKey() const {
    if (!macForm().match(mac).hasMatch())
        return {};
    return QString(mac).toLower().replace(QLatin1Char(':'), QLatin1Char('-'));
}

HostList HostList::read(const QString& path) {
    const auto refuse = [&path](const QString& why) {
        throw IoError(QStringLiteral("Cannot read the host list %1: %2").arg(path, why));
    };
    // Opened without waiting and looked at before a byte is read: a fifo would wait for a writer
    // for ever, and a device would give bytes for ever.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        refuse(QString::fromLocal8Bit(std::strerror(errno)));
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        refuse(file.errorString());
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        refuse(QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(st.st_mode))
        refuse(QStringLiteral("it is not a regular file"));
    const QByteArray bytes = st.st_size > MaxBytes ? QByteArray() : file.read(MaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        refuse(file.errorString());
    if (st.st_size > MaxBytes || bytes.size() > MaxBytes)
        throw IoError(QStringLiteral("%1 is no host list: it is larger than %2 MiB")
                          .arg(path)
                          .arg(MaxBytes / (1024 * 1024)));
    return parse(bytes, path);
}

HostList HostList::parse(const QByteArray& bytes, const QString& file) {
    HostList list;
    list.m_file = file;
    const Decoded decoded = decode(bytes);
    const auto problem = [&list](int line, const QString& what) {
        list.m_formProblems.append({line, what});
    };
    if (decoded.problem.line > 0) {
        problem(decoded.problem.line, decoded.problem.text);
        if (decoded.text.isNull())
            return list;
    }
    CsvReader reader(decoded.text);

    if (!reader.skipToRecord()) {
        problem(1, QStringLiteral("no header row: the first row names the columns, such as "
                                  "name,address,mask,mac"));
        return list;
    }
    const Record header = reader.next();
    if (!header.error.isEmpty())
        problem(header.line, header.error);
    QList<int> columnOf(kColumns.size(), -1);
    for (int i = 0; i < header.fields.size(); ++i) {
        const QString column = header.fields[i].toLower();
        const int known = int(kColumns.indexOf(column));
        if (known < 0)
            problem(
                header.line,
                QStringLiteral("column \"%1\" is none of name, address, mask, mac").arg(header.fields[i]));
        else if (columnOf[known] >= 0)
            problem(header.line, QStringLiteral("column \"%1\" is named twice").arg(column));
        else
            columnOf[known] = i;
    }
    for (int required : {0, 1}) {
        if (columnOf[required] < 0) {
            problem(header.line, QStringLiteral("the header names no column \"%1\"").arg(kColumns[required]));
            list.m_headerComplete = false;
        }
    }

    list.m_hasMaskColumn = columnOf[2] >= 0;
    while (reader.skipToRecord()) {
        const Record record = reader.next();
        // A row whose form is broken has its values in the wrong places: only the form is reported.
        if (!record.error.isEmpty()) {
            problem(record.line, record.error);
            list.m_brokenLines.insert(record.line);
        } else if (record.fields.size() != header.fields.size()) {
            problem(record.line, QStringLiteral("%1 fields, but the header names %2 columns")
                                     .arg(record.fields.size())
                                     .arg(header.fields.size()));
            list.m_brokenLines.insert(record.line);
        }
        const auto value = [&](int column) {
            const int i = columnOf[column];
            return i >= 0 && i < record.fields.size() ? record.fields[i] : QString();
        };
        list.m_hosts.append({record.line, value(0), value(1), value(2), value(3)});
    }
    if (list.m_hosts.isEmpty())
        problem(header.line, QStringLiteral("no hosts below the header"));
    return list;
}

bool HostList::hasMacs() const {
    for (const Host& host : m_hosts) {
        if (!host.mac.isEmpty())
            return true;
    }
    return false;
}

QString HostList::nameProblem(const QString& name, Names names) {
    if (name.isEmpty())
        return QStringLiteral("no name");
    if (name == QLatin1String("Not Specified"))
        return QStringLiteral("name \"Not Specified\" is what the page shows when no name is given");
    // {name} puts the name into a file's path, and mtools reads a leading "-" as an option.
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("name \"%1\" is no file's name: {name} would make it a folder").arg(name);
    if (name.startsWith(QLatin1Char('-')))
        return QStringLiteral("name \"%1\" starts with \"-\", which programs take for an option").arg(name);
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127)
            return QStringLiteral("name \"%1\" holds the control character U+%2")
                .arg(withoutControls(name))
                .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0')));
        // A computer name's own character rule below refuses these too, in the words of that rule.
        if (names == Names::ClientName && (c == u'/' || c == u'\\'))
            return QStringLiteral("name \"%1\" holds \"%2\": {name} puts it into a file's name").arg(name, c);
    }
    if (names == Names::ClientName) {
        // WATTCP.CFG gets the name in capitals.
        if (const QString c = TextCodec::firstUnencodable(name.toUpper()); !c.isEmpty())
            return QStringLiteral(
                       "name \"%1\" holds %2 in capitals, which WATTCP.CFG (Windows-1252) cannot hold")
                .arg(name, TextCodec::describe(c));
        return {};
    }
    if (name.size() > 15)
        return QStringLiteral("name \"%1\" has %2 characters; a computer name has at most 15")
            .arg(name)
            .arg(name.size());
    for (const QChar c : name) {
        const bool letterOrDigit = c.unicode() < 128 && c.isLetterOrNumber();
        if (!letterOrDigit && !kComputerNameMarks.contains(c))
            return QStringLiteral("name \"%1\" holds %2, which a computer name cannot hold (letters, digits "
                                  "and %3 only)")
                .arg(name, TextCodec::describe(c), kComputerNameMarks);
    }
    return {};
}

QList<HostProblem> HostList::problems(Names names) const {
    QList<HostProblem> out = m_formProblems;
    QHash<QString, int> nameLine;
    QHash<QString, int> addressLine;
    QHash<QString, int> macLine;
    const auto twice = [&out](QHash<QString, int>& seen, const QString& key, const Host& host,
                              const QString& what) {
        if (key.isEmpty())
            return;
        const auto it = seen.constFind(key);
        if (it == seen.constEnd())
            seen.insert(key, host.line);
        else
            out.append({host.line, QStringLiteral("%1 is also on line %2").arg(what).arg(it.value())});
    };
    // Without both columns every row would repeat what the header's problem says.
    for (const Host& host : m_headerComplete ? m_hosts : QList<Host>()) {
        if (m_brokenLines.contains(host.line))
            continue;
        const auto add = [&out, &host](const QString& text) {
            if (!text.isEmpty())
                out.append({host.line, text});
        };
        add(nameProblem(host.name, names));
        const QString address = addressProblem(host.address, QStringLiteral("address"));
        add(address.isEmpty() ? clientAddressProblem(host.address) : address);
        // A row without its mask would take whatever the page holds, the row before's mask.
        if (m_hasMaskColumn) {
            const QString mask =
                host.mask.isEmpty()
                    ? QStringLiteral("no mask (a list with a mask column gives every row one)")
                    : addressProblem(host.mask, QStringLiteral("mask"));
            add(mask.isEmpty() ? maskRunProblem(host.mask) : mask);
        }
        if (!host.mac.isEmpty() && host.macKey().isEmpty())
            add(QStringLiteral("MAC \"%1\" is not six hex pairs between \":\" or \"-\", such as "
                               "00:1a:2b:3c:4d:5e")
                    .arg(host.mac));
        else if (const QString key = host.macKey();
                 key == QLatin1String("00-00-00-00-00-00") || key == QLatin1String("ff-ff-ff-ff-ff-ff"))
            add(QStringLiteral("MAC %1 is no card's: it is the %2 address")
                    .arg(host.mac,
                         key.startsWith(u'0') ? QStringLiteral("null") : QStringLiteral("broadcast")));
        // Both writers and the networks compare names without regard to case.
        twice(nameLine, host.name.toUpper(), host, QStringLiteral("name %1").arg(host.name));
        twice(addressLine, host.addressField(), host, QStringLiteral("address %1").arg(host.address));
        twice(macLine, host.macKey(), host, QStringLiteral("MAC %1").arg(host.mac));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const HostProblem& a, const HostProblem& b) { return a.line < b.line; });
    return out;
}

QStringList HostList::report(Names names) const {
    QStringList lines;
    for (const HostProblem& p : problems(names))
        lines << QStringLiteral("%1:%2: %3").arg(m_file).arg(p.line).arg(p.text);
    return lines;
}
