#pragma once

#include <QString>
#include <QStringList>
#include <utility>

// One record of a CSV text: its fields and the line it starts on.
struct CsvRecord {
    int line = 0;
    QStringList fields;
    QString error; // what is wrong with its quoting; the fields are then what could be read
};

// RFC 4180 records, one after the other. A line break ends a record outside quotes (CR LF, LF or a
// lone CR); a quoted field may hold commas, doubled quotes and line breaks (each read as LF). Blanks
// around a field are not part of it, so "LAB1, 10.0.0.1" reads as people mean it. Blank lines and
// lines starting with "#" between records are skipped, so that a list may carry notes.
class CsvReader {
public:
    explicit CsvReader(QString text) : m_text(std::move(text)) {}

    // Skips blank lines and "#" lines; false at the end of the text.
    bool skipToRecord();
    // The record at the reader's place; call after skipToRecord() returned true.
    CsvRecord next();

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    void quoted(QString& field, CsvRecord& record);
    void unquoted(QString& field, CsvRecord& record);
    void skipBlanks();
    void lineBreak();

    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};
