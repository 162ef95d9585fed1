#include "print/csvwriter.h"

void CsvWriter::addRow(const QStringList &fields)
{
    m_text += line(fields);
}

QString CsvWriter::field(const QString &text)
{
    const bool quoted = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
                        || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
    if (!quoted)
        return text;
    QString escaped = text;
    escaped.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString CsvWriter::line(const QStringList &fields)
{
    QStringList cells;
    cells.reserve(fields.size());
    for (const QString &text : fields)
        cells << field(text);
    return cells.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}
