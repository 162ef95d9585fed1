#ifndef QTN_PROPERTY_BOOL_H
#define QTN_PROPERTY_BOOL_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"

class QtnPropertyBoolBase : public QtnSinglePropertyBase<bool>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyBoolBase)

protected:
    explicit QtnPropertyBoolBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyBoolCallback : public QtnSinglePropertyCallback<QtnPropertyBoolBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyBoolCallback)

public:
    explicit QtnPropertyBoolCallback(QObject* parent = nullptr);
};

class QtnPropertyBool : public QtnSinglePropertyValue<QtnPropertyBoolBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyBool)

public:
    explicit QtnPropertyBool(QObject* parent = nullptr);

    QtnPropertyBool& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_BOOL_H
