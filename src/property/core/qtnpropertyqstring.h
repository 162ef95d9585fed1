#ifndef QTN_PROPERTY_QSTRING_H
#define QTN_PROPERTY_QSTRING_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include <QString>

class QtnPropertyQStringBase : public QtnSinglePropertyBase<QString>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQStringBase)

protected:
    explicit QtnPropertyQStringBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

class QtnPropertyQStringCallback : public QtnSinglePropertyCallback<QtnPropertyQStringBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQStringCallback)

public:
    explicit QtnPropertyQStringCallback(QObject* parent = nullptr);
};

class QtnPropertyQString : public QtnSinglePropertyValue<QtnPropertyQStringBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyQString)

public:
    explicit QtnPropertyQString(QObject* parent = nullptr);

    QtnPropertyQString& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_QSTRING_H
