#include "check/poetext.h"

#include "diagram/diagramitem.h"
#include "diagram/wire.h"

#include <cmath>

QString PoeText::number(double value, int decimals)
{
    // A remark's figure mostly has a few digits, and the check words many
    // of them after every edit: those are written here. Scaled, such a
    // figure is off its exact value by far less than 1e-6, so a fraction
    // not within 1e-6 of one half rounds as the exact value does; a tie,
    // a sign or a figure out of that range is left to Qt.
    static const double scales[] = {1.0, 10.0, 100.0, 1000.0};
    if (decimals >= 0 && decimals <= 3 && !std::signbit(value) && value * scales[decimals] < 1e7) {
        const double scaled = value * scales[decimals];
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) > 1e-6) {
            qint64 digits = qint64(whole) + (fraction > 0.5 ? 1 : 0);
            QChar text[24];
            int at = 24;
            for (int place = 0; place < decimals || digits > 0 || place == decimals; ++place) {
                if (place == decimals && decimals > 0)
                    text[--at] = QLatin1Char(',');
                text[--at] = QLatin1Char(char('0' + digits % 10));
                digits /= 10;
            }
            return QString(text + at, 24 - at);
        }
    }
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
