#include "property/core/qtnpropertyqstring.h"

QtnPropertyQStringBase::QtnPropertyQStringBase(QObject* parent)
    : QtnSinglePropertyBase<QString>(parent)
{
}

QtnPropertyQStringCallback::QtnPropertyQStringCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQStringBase>(parent)
{
}

QtnPropertyQString::QtnPropertyQString(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQStringBase>(parent)
{
}

bool QtnPropertyQStringBase::fromStrImpl(const QString& str)
{
    // Quotes protect leading and trailing blanks from the trimming of fromStr.
    const QChar quote(QLatin1Char('"'));
    if (str.size() > 1 && str.startsWith(quote) && str.endsWith(quote))
        setValue(str.mid(1, str.size() - 2));
    else
        setValue(str);
    return true;
}

bool QtnPropertyQStringBase::toStrImpl(QString& str) const
{
    str = value();
    return true;
}
