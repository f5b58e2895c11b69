#include "platform/csv_reader.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isEnd(QChar c) {
    return c == u',' || c == u'\r' || c == u'\n';
}

} // namespace

bool CsvReader::skipToRecord() {
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

CsvRecord CsvReader::next() {
    CsvRecord record;
    record.line = m_line;
    for (;;) {
        QString field;
        skipBlanks();
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

void CsvReader::quoted(QString& field, CsvRecord& record) {
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
    skipBlanks();
    if (!atEnd() && !isEnd(m_text[m_pos])) {
        if (record.error.isEmpty())
            record.error = QStringLiteral("text after the closing quote of field %1 (a quote inside a "
                                          "quoted field is written twice)")
                               .arg(record.fields.size() + 1);
        unquoted(field, record);
    }
}

void CsvReader::unquoted(QString& field, CsvRecord& record) {
    while (!atEnd() && !isEnd(m_text[m_pos])) {
        if (m_text[m_pos] == u'"' && record.error.isEmpty())
            record.error = QStringLiteral("a quote inside field %1, which does not start with one (put the "
                                          "field in quotes and write the quote twice)")
                               .arg(record.fields.size() + 1);
        field += m_text[m_pos++];
    }
}

void CsvReader::skipBlanks() {
    while (!atEnd() && isBlank(m_text[m_pos]))
        ++m_pos;
}

void CsvReader::lineBreak() {
    if (atEnd())
        return;
    if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
        ++m_pos;
    ++m_pos;
    ++m_line;
}
