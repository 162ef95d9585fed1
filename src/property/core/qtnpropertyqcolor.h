#ifndef QTN_PROPERTY_QCOLOR_H
#define QTN_PROPERTY_QCOLOR_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include <QColor>

class QtnPropertyQColorBase : public QtnSinglePropertyBase<QColor>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQColorBase)

protected:
    explicit QtnPropertyQColorBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyQColorCallback : public QtnSinglePropertyCallback<QtnPropertyQColorBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQColorCallback)

public:
    explicit QtnPropertyQColorCallback(QObject* parent = nullptr);
};

class QtnPropertyQColor : public QtnSinglePropertyValue<QtnPropertyQColorBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQColor)

public:
    explicit QtnPropertyQColor(QObject* parent = nullptr);

    QtnPropertyQColor& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

class QtnPropertyIntCallback;

// Sub-properties bound to one component of a colour, range 0 to 255.
QtnPropertyIntCallback* qtnCreateRedProperty(QObject* parent, QtnPropertyQColorBase* propertyColor);
QtnPropertyIntCallback* qtnCreateGreenProperty(QObject* parent, QtnPropertyQColorBase* propertyColor);
QtnPropertyIntCallback* qtnCreateBlueProperty(QObject* parent, QtnPropertyQColorBase* propertyColor);

#endif // QTN_PROPERTY_QCOLOR_H
