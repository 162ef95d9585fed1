#ifndef QTN_PROPERTY_ENUM_H
#define QTN_PROPERTY_ENUM_H

#include "property/core/qtnsinglepropertybase.h"
#include "property/core/qtnsinglepropertyvalue.h"
#include "property/core/qtnsinglepropertycallback.h"
#include "property/core/qtnenuminfo.h"

class QtnPropertyEnumBase : public QtnSinglePropertyBase<QtnEnumValueType>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyEnumBase)

public:
    // Not owned: whoever builds the property keeps the enumeration alive.
    const QtnEnumInfo* enumInfo() const { return m_enumInfo; }
    // Another list is another meaning of the same number: the sets above
    // count it as a change of revision (not of value).
    void setEnumInfo(const QtnEnumInfo* enumInfo);
    // Lists attached to enumerations of the process so far, counted as
    // totalValueChanges counts values.
    static quint64 totalListChanges();

protected:
    explicit QtnPropertyEnumBase(QObject* parent);

    bool isValueAcceptedImpl(const ValueType& valueToAccept) const override;
    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;

private:
    const QtnEnumInfo* m_enumInfo;
};

class QtnPropertyEnumCallback : public QtnSinglePropertyCallback<QtnPropertyEnumBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyEnumCallback)

public:
    explicit QtnPropertyEnumCallback(QObject* parent = nullptr);
};

class QtnPropertyEnum : public QtnSinglePropertyValue<QtnPropertyEnumBase>
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyEnum)

public:
    explicit QtnPropertyEnum(QObject* parent = nullptr);

    QtnPropertyEnum& operator=(const ValueType& newValue)
    {
        setValue(newValue);
        return *this;
    }
};

#endif // QTN_PROPERTY_ENUM_H
