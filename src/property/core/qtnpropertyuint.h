#ifndef QTN_PROPERTY_UINT_H
#define QTN_PROPERTY_UINT_H

#include "property/core/qtnnumericpropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"

class QtnPropertyUIntBase : public QtnNumericPropertyBase<quint32>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyUIntBase)

protected:
    explicit QtnPropertyUIntBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyUIntCallback : public QtnSinglePropertyCallback<QtnPropertyUIntBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyUIntCallback)

public:
    explicit QtnPropertyUIntCallback(QObject* parent = nullptr);
};

class QtnPropertyUInt : public QtnSinglePropertyValue<QtnPropertyUIntBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyUInt)

public:
    explicit QtnPropertyUInt(QObject* parent = nullptr);

    QtnPropertyUInt& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_UINT_H
