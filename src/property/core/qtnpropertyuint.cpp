#include "property/core/qtnpropertyuint.h"

QtnPropertyUIntBase::QtnPropertyUIntBase(QObject* parent)
    : QtnNumericPropertyBase<quint32>(parent)
{
}

QtnPropertyUIntCallback::QtnPropertyUIntCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyUIntBase>(parent)
{
}

QtnPropertyUInt::QtnPropertyUInt(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyUIntBase>(parent)
{
}

bool QtnPropertyUIntBase::fromStrImpl(const QString& str)
{
    bool ok = false;
    const quint32 parsed = str.toUInt(&ok, 10);
    if (!ok)
        return false;
    setValue(parsed);
    return true;
}

bool QtnPropertyUIntBase::toStrImpl(QString& str) const
{
    str = QString::number(value());
    return true;
}
