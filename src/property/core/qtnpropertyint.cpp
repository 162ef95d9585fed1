#include "property/core/qtnpropertyint.h"

QtnPropertyIntBase::QtnPropertyIntBase(QObject* parent)
    : QtnNumericPropertyBase<qint32>(parent)
{
}

QtnPropertyIntCallback::QtnPropertyIntCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyIntBase>(parent)
{
}

QtnPropertyInt::QtnPropertyInt(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyIntBase>(parent)
{
}

// The answer is whether the text was a number: a number the range refuses is
// still well-formed text, and loaders must not log it as garbage.
bool QtnPropertyIntBase::fromStrImpl(const QString& str)
{
    bool ok = false;
    const qint32 parsed = str.toInt(&ok, 10);
    if (!ok)
        return false;
    setValue(parsed);
    return true;
}

bool QtnPropertyIntBase::toStrImpl(QString& str) const
{
    str = QString::number(value());
    return true;
}
