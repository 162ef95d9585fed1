#ifndef CHECK_POETEXT_H
#define CHECK_POETEXT_H

#include <QString>

class DiagramItem;
class Wire;

// How the PoE check writes numbers and names in its Polish texts.
namespace PoeText {

// Fixed decimals with a decimal comma: 39.1914 -> "39,19".
QString number(double value, int decimals);
// At most two decimals, trailing zeros dropped: 42.5 -> "42,5", 30 -> "30".
QString limit(double value);
// Thousands grouped by blanks: 1000000 -> "1 000 000".
QString grouped(qint64 value);

// The Polish noun for a count: forms for 1, for 2-4 (not 12-14), for the rest.
QString plural(qint64 count, const QString &one, const QString &few, const QString &many);
// The count followed by its noun: "3 błędy".
QString counted(qint64 count, const QString &one, const QString &few, const QString &many);

// The element as the sheet labels it: "K 7"; an unnumbered one by its
// location as well, "K (Parking)", so that it can be found.
QString itemName(const DiagramItem *item);
// A cable by its two ends: "PD 1 – K 7".
QString wireName(const Wire *wire);

} // namespace PoeText

#endif // CHECK_POETEXT_H
