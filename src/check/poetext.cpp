#include "check/poetext.h"

#include "diagram/diagramitem.h"
#include "diagram/wire.h"

QString PoeText::number(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString PoeText::limit(double value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString PoeText::grouped(qint64 value)
{
    const QString digits = QString::number(value < 0 ? -value : value);
    QString text;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += QLatin1Char(' ');
        text += digits.at(i);
    }
    return value < 0 ? QLatin1Char('-') + text : text;
}

QString PoeText::plural(qint64 count, const QString &one, const QString &few, const QString &many)
{
    const qint64 n = count < 0 ? -count : count;
    if (n == 1)
        return one;
    const qint64 lastTwo = n % 100;
    const qint64 last = n % 10;
    if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        return few;
    return many;
}

QString PoeText::counted(qint64 count, const QString &one, const QString &few, const QString &many)
{
    return QString::number(count) + QLatin1Char(' ') + plural(count, one, few, many);
}

QString PoeText::itemName(const DiagramItem *item)
{
    if (!item)
        return QString();
    QString name = item->numberText();
    if (item->number() != 0)
        return name;
    const QString location = item->location().trimmed();
    if (!location.isEmpty())
        name += QStringLiteral(" (") + location + QLatin1Char(')');
    return name;
}

QString PoeText::wireName(const Wire *wire)
{
    if (!wire)
        return QString();
    return itemName(wire->startItem()) + QStringLiteral(" – ") + itemName(wire->endItem());
}
