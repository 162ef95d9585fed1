#ifndef QTN_PROPERTY_ENUMFLAGS_H
#define QTN_PROPERTY_ENUMFLAGS_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include "property/core/qtnenuminfo.h"

class QtnPropertyEnumFlagsBase : public QtnSinglePropertyBase<QtnEnumFlagsValueType>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyEnumFlagsBase)

public:
    // Not owned: whoever builds the property keeps the enumeration alive.
    const QtnEnumInfo* enumInfo() const { return m_enumInfo; }
    void setEnumInfo(const QtnEnumInfo* enumInfo) { m_enumInfo = enumInfo; }

protected:
    explicit QtnPropertyEnumFlagsBase(QObject* parent);

    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;

private:
    const QtnEnumInfo* m_enumInfo;
};

class QtnPropertyEnumFlagsCallback : public QtnSinglePropertyCallback<QtnPropertyEnumFlagsBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyEnumFlagsCallback)

public:
    explicit QtnPropertyEnumFlagsCallback(QObject* parent = nullptr);
};

class QtnPropertyEnumFlags : public QtnSinglePropertyValue<QtnPropertyEnumFlagsBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyEnumFlags)

public:
    explicit QtnPropertyEnumFlags(QObject* parent = nullptr);

    QtnPropertyEnumFlags& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_ENUMFLAGS_H
