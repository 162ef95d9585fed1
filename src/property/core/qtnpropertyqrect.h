#ifndef QTN_PROPERTY_QRECT_H
#define QTN_PROPERTY_QRECT_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include <QRect>

class QtnPropertyQRectBase : public QtnSinglePropertyBase<QRect>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQRectBase)

protected:
    explicit QtnPropertyQRectBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyQRectCallback : public QtnSinglePropertyCallback<QtnPropertyQRectBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQRectCallback)

public:
    explicit QtnPropertyQRectCallback(QObject* parent = nullptr);
};

class QtnPropertyQRect : public QtnSinglePropertyValue<QtnPropertyQRectBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQRect)

public:
    explicit QtnPropertyQRect(QObject* parent = nullptr);

    QtnPropertyQRect& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

class QtnPropertyIntCallback;

// Sub-properties bound to one side or extent of a rectangle. Setting a side
// moves that edge only; setting width or height keeps left and top.
QtnPropertyIntCallback* qtnCreateLeftProperty(QObject* parent, QtnPropertyQRectBase* propertyRect);
QtnPropertyIntCallback* qtnCreateRightProperty(QObject* parent, QtnPropertyQRectBase* propertyRect);
QtnPropertyIntCallback* qtnCreateTopProperty(QObject* parent, QtnPropertyQRectBase* propertyRect);
QtnPropertyIntCallback* qtnCreateBottomProperty(QObject* parent, QtnPropertyQRectBase* propertyRect);
QtnPropertyIntCallback* qtnCreateWidthProperty(QObject* parent, QtnPropertyQRectBase* propertyRect);
QtnPropertyIntCallback* qtnCreateHeightProperty(QObject* parent, QtnPropertyQRectBase* propertyRect);

#endif // QTN_PROPERTY_QRECT_H
