#ifndef QTN_PROPERTY_QPENSTYLE_H
#define QTN_PROPERTY_QPENSTYLE_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include <Qt>
#include "property/core/qtnenuminfo.h"

class QtnPropertyQPenStyleBase : public QtnSinglePropertyBase<Qt::PenStyle>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQPenStyleBase)

public:
    // Names of every pen style, CustomDashLine included.
    static const QtnEnumInfo& styleEnum();

protected:
    explicit QtnPropertyQPenStyleBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyQPenStyleCallback : public QtnSinglePropertyCallback<QtnPropertyQPenStyleBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQPenStyleCallback)

public:
    explicit QtnPropertyQPenStyleCallback(QObject* parent = nullptr);
};

class QtnPropertyQPenStyle : public QtnSinglePropertyValue<QtnPropertyQPenStyleBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQPenStyle)

public:
    explicit QtnPropertyQPenStyle(QObject* parent = nullptr);

    QtnPropertyQPenStyle& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_QPENSTYLE_H
