#include "property/core/qtnpropertydouble.h"

QtnPropertyDoubleBase::QtnPropertyDoubleBase(QObject* parent)
    : QtnNumericPropertyBase<double>(parent)
{
}

QtnPropertyDoubleCallback::QtnPropertyDoubleCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyDoubleBase>(parent)
{
}

QtnPropertyDouble::QtnPropertyDouble(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyDoubleBase>(parent)
{
}

bool QtnPropertyDoubleBase::fromStrImpl(const QString& str)
{
    bool ok = false;
    const double parsed = str.toDouble(&ok);
    if (!ok)
        return false;
    setValue(parsed);
    return true;
}

bool QtnPropertyDoubleBase::toStrImpl(QString& str) const
{
    str = QString::number(value(), 'g', 10);
    return true;
}
