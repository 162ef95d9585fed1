#ifndef PRINT_CSVWRITER_H
#define PRINT_CSVWRITER_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// Comma-separated values the way spreadsheets and RFC 4180 read them: lines
// end in CR LF; a field holding a comma, a double quote, CR or LF is put in
// double quotes with its own quotes doubled; text is UTF-8 without a byte
// order mark.
class CsvWriter
{
public:
    void addRow(const QStringList &fields);
    QByteArray bytes() const { return m_text.toUtf8(); }

    static QString field(const QString &text);
    static QString line(const QStringList &fields);

private:
    QString m_text;
};

#endif // PRINT_CSVWRITER_H
