#ifndef QTN_PROPERTY_QPEN_H
#define QTN_PROPERTY_QPEN_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include <QPen>
#include "property/core/qtnenuminfo.h"

class QtnPropertyQPenBase : public QtnSinglePropertyBase<QPen>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQPenBase)

public:
    // The three enumerations named "Qt" used by the text form of a pen.
    static const QtnEnumInfo& penStyleEnum();
    static const QtnEnumInfo& capStyleEnum();
    static const QtnEnumInfo& joinStyleEnum();

protected:
    explicit QtnPropertyQPenBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyQPenCallback : public QtnSinglePropertyCallback<QtnPropertyQPenBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQPenCallback)

public:
    explicit QtnPropertyQPenCallback(QObject* parent = nullptr);
};

class QtnPropertyQPen : public QtnSinglePropertyValue<QtnPropertyQPenBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQPen)

public:
    explicit QtnPropertyQPen(QObject* parent = nullptr);

    QtnPropertyQPen& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_QPEN_H
