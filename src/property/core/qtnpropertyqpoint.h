#ifndef QTN_PROPERTY_QPOINT_H
#define QTN_PROPERTY_QPOINT_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include <QPoint>

class QtnPropertyQPointBase : public QtnSinglePropertyBase<QPoint>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQPointBase)

protected:
    explicit QtnPropertyQPointBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyQPointCallback : public QtnSinglePropertyCallback<QtnPropertyQPointBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQPointCallback)

public:
    explicit QtnPropertyQPointCallback(QObject* parent = nullptr);
};

class QtnPropertyQPoint : public QtnSinglePropertyValue<QtnPropertyQPointBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQPoint)

public:
    explicit QtnPropertyQPoint(QObject* parent = nullptr);

    QtnPropertyQPoint& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

class QtnPropertyIntCallback;

QtnPropertyIntCallback* qtnCreateXProperty(QObject* parent, QtnPropertyQPointBase* propertyPoint);
QtnPropertyIntCallback* qtnCreateYProperty(QObject* parent, QtnPropertyQPointBase* propertyPoint);

#endif // QTN_PROPERTY_QPOINT_H
