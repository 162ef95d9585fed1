#ifndef QTN_PROPERTY_QBRUSHSTYLE_H
#define QTN_PROPERTY_QBRUSHSTYLE_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include <Qt>
#include "property/core/qtnenuminfo.h"

class QtnPropertyQBrushStyleBase : public QtnSinglePropertyBase<Qt::BrushStyle>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQBrushStyleBase)

public:
    // Names of the brush styles 0 to 17 and 24; 1 is written "Solid".
    static const QtnEnumInfo& styleEnum();

protected:
    explicit QtnPropertyQBrushStyleBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyQBrushStyleCallback : public QtnSinglePropertyCallback<QtnPropertyQBrushStyleBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQBrushStyleCallback)

public:
    explicit QtnPropertyQBrushStyleCallback(QObject* parent = nullptr);
};

class QtnPropertyQBrushStyle : public QtnSinglePropertyValue<QtnPropertyQBrushStyleBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQBrushStyle)

public:
    explicit QtnPropertyQBrushStyle(QObject* parent = nullptr);

    QtnPropertyQBrushStyle& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_QBRUSHSTYLE_H
