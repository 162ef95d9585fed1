#ifndef QTN_PROPERTY_QFONT_H
#define QTN_PROPERTY_QFONT_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include <QFont>

class QtnPropertyQFontBase : public QtnSinglePropertyBase<QFont>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQFontBase)

protected:
    explicit QtnPropertyQFontBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyQFontCallback : public QtnSinglePropertyCallback<QtnPropertyQFontBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQFontCallback)

public:
    explicit QtnPropertyQFontCallback(QObject* parent = nullptr);
};

class QtnPropertyQFont : public QtnSinglePropertyValue<QtnPropertyQFontBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQFont)

public:
    explicit QtnPropertyQFont(QObject* parent = nullptr);

    QtnPropertyQFont& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_QFONT_H
