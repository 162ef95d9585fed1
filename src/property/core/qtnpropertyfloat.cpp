#include "property/core/qtnpropertyfloat.h"

QtnPropertyFloatBase::QtnPropertyFloatBase(QObject* parent)
    : QtnNumericPropertyBase<float>(parent)
{
}

QtnPropertyFloatCallback::QtnPropertyFloatCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyFloatBase>(parent)
{
}

QtnPropertyFloat::QtnPropertyFloat(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyFloatBase>(parent)
{
}

bool QtnPropertyFloatBase::fromStrImpl(const QString& str)
{
    bool ok = false;
    const float parsed = str.toFloat(&ok);
    if (!ok)
        return false;
    setValue(parsed);
    return true;
}

bool QtnPropertyFloatBase::toStrImpl(QString& str) const
{
    // Six significant digits is all a float holds reliably.
    str = QString::number(double(value()), 'g', 6);
    return true;
}
