#include "property/core/qtnpropertybool.h"

QtnPropertyBoolBase::QtnPropertyBoolBase(QObject* parent)
    : QtnSinglePropertyBase<bool>(parent)
{
}

QtnPropertyBoolCallback::QtnPropertyBoolCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyBoolBase>(parent)
{
}

QtnPropertyBool::QtnPropertyBool(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyBoolBase>(parent)
{
}

bool QtnPropertyBoolBase::fromStrImpl(const QString& str)
{
    const QString text = str.trimmed();
    if (QString::compare(text, tr("True"), Qt::CaseInsensitive) == 0)
    {
        setValue(true);
        return true;
    }
    if (QString::compare(text, tr("False"), Qt::CaseInsensitive) == 0)
    {
        setValue(false);
        return true;
    }
    return false;
}

bool QtnPropertyBoolBase::toStrImpl(QString& str) const
{
    str = value() ? tr("True") : tr("False");
    return true;
}
