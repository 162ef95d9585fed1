#ifndef DIAGRAM_ENUMACCESS_H
#define DIAGRAM_ENUMACCESS_H

#include "property/core/qtnenuminfo.h"
#include "property/core/qtnpropertyenum.h"

#include <QString>

// Catalogue lists are matched by the text the user sees, never by their
// values, which are renumbered whenever a list is rebuilt.

// Display text of the property's current value; empty without a list or
// when the value is not in it.
inline QString enumDisplayText(const QtnPropertyEnum &property)
{
    const QtnEnumInfo *info = property.enumInfo();
    if (!info)
        return QString();
    const QtnEnumValueInfo *valueInfo = info->findByValue(property.value());
    return valueInfo ? valueInfo->displayName() : QString();
}

// Value of the entry whose display text equals text exactly.
inline bool enumValueByDisplayText(const QtnPropertyEnum &property, const QString &text, int &value)
{
    const QtnEnumInfo *info = property.enumInfo();
    if (!info)
        return false;
    const QtnEnumValueInfo *valueInfo = info->findByDisplayName(text, Qt::CaseSensitive);
    if (!valueInfo)
        return false;
    value = valueInfo->value();
    return true;
}

#endif // DIAGRAM_ENUMACCESS_H
