#ifndef QTN_PROPERTY_FLOAT_H
#define QTN_PROPERTY_FLOAT_H

#include "property/core/qtnnumericpropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"

class QtnPropertyFloatBase : public QtnNumericPropertyBase<float>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyFloatBase)

protected:
    explicit QtnPropertyFloatBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyFloatCallback : public QtnSinglePropertyCallback<QtnPropertyFloatBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyFloatCallback)

public:
    explicit QtnPropertyFloatCallback(QObject* parent = nullptr);
};

class QtnPropertyFloat : public QtnSinglePropertyValue<QtnPropertyFloatBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyFloat)

public:
    explicit QtnPropertyFloat(QObject* parent = nullptr);

    QtnPropertyFloat& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_FLOAT_H
