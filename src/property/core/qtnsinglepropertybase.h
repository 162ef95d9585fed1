#ifndef QTN_SINGLE_PROPERTY_BASE_H
#define QTN_SINGLE_PROPERTY_BASE_H

#include "property/core/qtnproperty.h"

#include <QDataStream>
#include <QVariant>

// How a value travels in a binary body. Qt's own stream operators serve all
// value types except the style enumerations, which are written as qint32.
template <typename T>
struct QtnValueStream
{
    static void save(QDataStream& stream, const T& value) { stream << value; }
    static void load(QDataStream& stream, T& value) { stream >> value; }
};

template <>
struct QtnValueStream<Qt::PenStyle>
{
    static void save(QDataStream& stream, Qt::PenStyle value) { stream << qint32(value); }
    static void load(QDataStream& stream, Qt::PenStyle& value)
    {
        qint32 raw = 0;
        stream >> raw;
        value = Qt::PenStyle(raw);
    }
};

template <>
struct QtnValueStream<Qt::BrushStyle>
{
    static void save(QDataStream& stream, Qt::BrushStyle value) { stream << qint32(value); }
    static void load(QDataStream& stream, Qt::BrushStyle& value)
    {
        qint32 raw = 0;
        stream >> raw;
        value = Qt::BrushStyle(raw);
    }
};

// How a value is taken from and given to a QVariant.
template <typename T>
struct QtnValueVariant
{
    static bool from(const QVariant& var, T& value)
    {
        if (!var.canConvert<T>())
            return false;
        value = var.value<T>();
        return true;
    }
    static void to(QVariant& var, const T& value) { var = QVariant::fromValue(value); }
};

template <typename Enum>
struct QtnEnumValueVariant
{
    static bool from(const QVariant& var, Enum& value)
    {
        if (var.userType() == qMetaTypeId<Enum>())
        {
            value = var.value<Enum>();
            return true;
        }
        if (!var.canConvert<int>())
            return false;
        bool ok = false;
        const int raw = var.toInt(&ok);
        if (!ok)
            return false;
        value = Enum(raw);
        return true;
    }
    static void to(QVariant& var, const Enum& value) { var = QVariant::fromValue(value); }
};

template <>
struct QtnValueVariant<Qt::PenStyle> : QtnEnumValueVariant<Qt::PenStyle>
{
};

template <>
struct QtnValueVariant<Qt::BrushStyle> : QtnEnumValueVariant<Qt::BrushStyle>
{
};

// A property holding one value of type T. setValue is the only road by which
// users change it, so the accept/veto/will/did protocol lives here.
template <typename T>
class QtnSinglePropertyBase : public QtnProperty
{
public:
    typedef T ValueType;

    ValueType value() const { return valueImpl(); }

    bool setValue(const ValueType& newValue)
    {
        if (isValueEqualImpl(newValue))
            return false;
        if (!isValueAcceptedImpl(newValue))
            return false;

        // A private copy: newValue may refer to storage that setValueImpl overwrites.
        ValueType valueToSet = newValue;
        if (isValueAcceptListened())
        {
            bool accept = true;
            Q_EMIT propertyValueAccept(this, QtnPropertyValuePtr(&valueToSet), &accept);
            if (!accept)
                return false;
        }

        emitWillChange(QtnPropertyChangeReasonNewValue, QtnPropertyValuePtr(&valueToSet));
        setValueImpl(valueToSet);
        emitDidChange(QtnPropertyChangeReasonNewValue);
        return true;
    }

    bool isValueAccepted(const ValueType& valueToCheck) const { return isValueAcceptedImpl(valueToCheck); }
    bool isValueEqual(const ValueType& valueToCompare) const { return isValueEqualImpl(valueToCompare); }

    operator ValueType() const { return value(); }

protected:
    explicit QtnSinglePropertyBase(QObject* parent)
        : QtnProperty(parent)
    {
    }

    virtual ValueType valueImpl() const = 0;
    virtual void setValueImpl(const ValueType& newValue) = 0;
    virtual bool isValueAcceptedImpl(const ValueType& valueToAccept) const
    {
        Q_UNUSED(valueToAccept);
        return true;
    }
    virtual bool isValueEqualImpl(const ValueType& valueToCompare) const { return valueToCompare == valueImpl(); }

    bool loadImpl(QDataStream& stream) override
    {
        if (!QtnProperty::loadImpl(stream))
            return false;

        ValueType loadedValue = ValueType();
        QtnValueStream<ValueType>::load(stream, loadedValue);
        if (stream.status() != QDataStream::Ok)
            return false;

        // A stream is trusted: it restores what was saved, in or out of range.
        emitWillChange(QtnPropertyChangeReasonLoadedValue, QtnPropertyValuePtr(&loadedValue));
        setValueImpl(loadedValue);
        emitDidChange(QtnPropertyChangeReasonLoadedValue);
        return true;
    }

    bool saveImpl(QDataStream& stream) const override
    {
        if (!QtnProperty::saveImpl(stream))
            return false;
        QtnValueStream<ValueType>::save(stream, value());
        return stream.status() == QDataStream::Ok;
    }

    bool fromVariantImpl(const QVariant& var) override
    {
        ValueType converted = ValueType();
        if (!QtnValueVariant<ValueType>::from(var, converted))
            return false;
        return setValue(converted);
    }

    bool toVariantImpl(QVariant& var) const override
    {
        QtnValueVariant<ValueType>::to(var, value());
        return true;
    }
};

#endif // QTN_SINGLE_PROPERTY_BASE_H
