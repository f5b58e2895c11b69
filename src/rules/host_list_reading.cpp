#include "platform/csv_reader.h"
#include "platform/io_error.h"
#include "platform/regular_file.h"
#include "platform/text_codec.h"
#include "rules/host_list.h"

#include <QStringDecoder>
#include <algorithm>

namespace {

const QStringList kColumns{QStringLiteral("name"), QStringLiteral("address"), QStringLiteral("mask"),
                           QStringLiteral("mac")};

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

// Where each of kColumns is in the header's fields (-1: nowhere), and what is wrong with it.
QList<int> columns(const CsvRecord& header, QList<HostProblem>& problems) {
    const auto problem = [&](const QString& what) {
        problems.append({header.line, what});
    };
    QList<int> columnOf(kColumns.size(), -1);
    for (int i = 0; i < header.fields.size(); ++i) {
        const QString column = header.fields[i].toLower();
        const int known = int(kColumns.indexOf(column));
        if (known < 0)
            problem(QStringLiteral("column %1 is none of name, address, mask, mac")
                        .arg(TextCodec::quoted(header.fields[i])));
        else if (columnOf[known] >= 0)
            problem(QStringLiteral("column \"%1\" is named twice").arg(column));
        else
            columnOf[known] = i;
    }
    for (int required : {0, 1}) {
        if (columnOf[required] < 0)
            problem(QStringLiteral("the header names no column \"%1\"").arg(kColumns[required]));
    }
    return columnOf;
}

[[noreturn]] void unreadable(const QString& path, const QString& why) {
    throw IoError(QStringLiteral("Cannot read the host list %1: %2").arg(path, why));
}

} // namespace

HostList HostList::read(const QString& path) {
    RegularFileRead file = readRegularFile(path, MaxBytes);
    switch (file.outcome) {
    case RegularFileRead::Outcome::Read:
        return parse(file.bytes, path);
    case RegularFileRead::Outcome::Folder:
    case RegularFileRead::Outcome::NotRegular:
        unreadable(path, QStringLiteral("it is not a regular file"));
    case RegularFileRead::Outcome::TooLarge:
        throw IoError(QStringLiteral("%1 is no host list: it is larger than %2 MiB")
                          .arg(path)
                          .arg(MaxBytes / (qint64{1024} * 1024)));
    case RegularFileRead::Outcome::Missing:
    case RegularFileRead::Outcome::Failed:
        break;
    }
    unreadable(path, file.error);
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
    const CsvRecord header = reader.next();
    if (!header.error.isEmpty())
        problem(header.line, header.error);
    const QList<int> columnOf = columns(header, list.m_formProblems);
    list.m_headerComplete = columnOf[0] >= 0 && columnOf[1] >= 0;
    list.m_hasMaskColumn = columnOf[2] >= 0;
    while (reader.skipToRecord()) {
        const CsvRecord record = reader.next();
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
