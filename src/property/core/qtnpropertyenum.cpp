#include "property/core/qtnpropertyenum.h"

QtnPropertyEnumBase::QtnPropertyEnumBase(QObject* parent)
    : QtnSinglePropertyBase<QtnEnumValueType>(parent),
      m_enumInfo(nullptr)
{
}

namespace
{
quint64 s_totalListChanges = 0;
} // namespace

void QtnPropertyEnumBase::setEnumInfo(const QtnEnumInfo* enumInfo)
{
    if (m_enumInfo == enumInfo)
        return;
    m_enumInfo = enumInfo;
    ++s_totalListChanges;
    countOtherChange();
}

quint64 QtnPropertyEnumBase::totalListChanges()
{
    return s_totalListChanges;
}

QtnPropertyEnumCallback::QtnPropertyEnumCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyEnumBase>(parent)
{
}

QtnPropertyEnum::QtnPropertyEnum(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyEnumBase>(parent)
{
}

bool QtnPropertyEnumBase::isValueAcceptedImpl(const ValueType& valueToAccept) const
{
    return m_enumInfo && m_enumInfo->findByValue(valueToAccept);
}

bool QtnPropertyEnumBase::fromStrImpl(const QString& str)
{
    if (!m_enumInfo)
        return false;

    const QtnEnumValueInfo* valueInfo = m_enumInfo->fromStr(str);
    if (!valueInfo)
        return false;

    setValue(valueInfo->value());
    return true;
}

bool QtnPropertyEnumBase::toStrImpl(QString& str) const
{
    if (!m_enumInfo)
        return false;

    return m_enumInfo->toStr(str, value());
}
