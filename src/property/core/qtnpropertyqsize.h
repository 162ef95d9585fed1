#ifndef QTN_PROPERTY_QSIZE_H
#define QTN_PROPERTY_QSIZE_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include <QSize>

class QtnPropertyQSizeBase : public QtnSinglePropertyBase<QSize>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQSizeBase)

protected:
    explicit QtnPropertyQSizeBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyQSizeCallback : public QtnSinglePropertyCallback<QtnPropertyQSizeBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQSizeCallback)

public:
    explicit QtnPropertyQSizeCallback(QObject* parent = nullptr);
};

class QtnPropertyQSize : public QtnSinglePropertyValue<QtnPropertyQSizeBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQSize)

public:
    explicit QtnPropertyQSize(QObject* parent = nullptr);

    QtnPropertyQSize& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

class QtnPropertyIntCallback;

QtnPropertyIntCallback* qtnCreateWidthProperty(QObject* parent, QtnPropertyQSizeBase* propertySize);
QtnPropertyIntCallback* qtnCreateHeightProperty(QObject* parent, QtnPropertyQSizeBase* propertySize);

#endif // QTN_PROPERTY_QSIZE_H
