#include "property/core/qtnpropertyqfont.h"

QtnPropertyQFontBase::QtnPropertyQFontBase(QObject* parent)
    : QtnSinglePropertyBase<QFont>(parent)
{
}

QtnPropertyQFontCallback::QtnPropertyQFontCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQFontBase>(parent)
{
}

QtnPropertyQFont::QtnPropertyQFont(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQFontBase>(parent)
{
}

bool QtnPropertyQFontBase::fromStrImpl(const QString& str)
{
    QFont parsed;
    if (!parsed.fromString(str.trimmed()))
        return false;
    setValue(parsed);
    return true;
}

bool QtnPropertyQFontBase::toStrImpl(QString& str) const
{
    str = value().toString();
    return true;
}
