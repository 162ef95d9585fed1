#ifndef QTN_PROPERTY_INT_H
#define QTN_PROPERTY_INT_H

#include "property/core/qtnnumericpropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"

class QtnPropertyIntBase : public QtnNumericPropertyBase<qint32>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyIntBase)

protected:
    explicit QtnPropertyIntBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyIntCallback : public QtnSinglePropertyCallback<QtnPropertyIntBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyIntCallback)

public:
    explicit QtnPropertyIntCallback(QObject* parent = nullptr);
};

class QtnPropertyInt : public QtnSinglePropertyValue<QtnPropertyIntBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyInt)

public:
    explicit QtnPropertyInt(QObject* parent = nullptr);

    QtnPropertyInt& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_INT_H
