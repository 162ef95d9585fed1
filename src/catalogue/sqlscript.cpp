#include "catalogue/sqlscript.h"

QStringList SqlScript::statements(const QString &text)
{
    QStringList statements;
    QString current;
    QChar quote;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quote.isNull()) {
            if (c == QLatin1Char('-') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('-')) {
                while (i < text.size() && text.at(i) != QLatin1Char('\n'))
                    ++i;
                current += QLatin1Char('\n');
                continue;
            }
            if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
                quote = c;
            if (c == QLatin1Char(';')) {
                if (!current.trimmed().isEmpty())
                    statements << current.trimmed();
                current.clear();
                continue;
            }
        } else if (c == quote) {
            quote = QChar();
        }
        current += c;
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}
