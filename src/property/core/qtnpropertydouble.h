#ifndef QTN_PROPERTY_DOUBLE_H
#define QTN_PROPERTY_DOUBLE_H

#include "property/core/qtnnumericpropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"

class QtnPropertyDoubleBase : public QtnNumericPropertyBase<double>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyDoubleBase)

protected:
    explicit QtnPropertyDoubleBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyDoubleCallback : public QtnSinglePropertyCallback<QtnPropertyDoubleBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyDoubleCallback)

public:
    explicit QtnPropertyDoubleCallback(QObject* parent = nullptr);
};

class QtnPropertyDouble : public QtnSinglePropertyValue<QtnPropertyDoubleBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyDouble)

public:
    explicit QtnPropertyDouble(QObject* parent = nullptr);

    QtnPropertyDouble& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_DOUBLE_H
