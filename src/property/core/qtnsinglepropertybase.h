#ifndef QTN_SINGLE_PROPERTY_BASE_H
#define QTN_SINGLE_PROPERTY_BASE_H

#include "property/core/qtncheckedvaluereader.h"
#include "property/core/qtnproperty.h"

#include <QColor>
#include <QDataStream>
#include <QFont>
#include <QPen>
#include <QRect>
#include <QVariant>

// How a value travels in a binary body. Qt's own stream operators serve all
// value types except the style enumerations, which are written as qint32.
// load() is false, with the reason, when the stream holds no sound value.
template <typename T>
struct QtnValueStream
{
    static void save(QDataStream& stream, const T& value) { stream << value; }
    static bool load(QDataStream& stream, T& value, QString& reason)
    {
        Q_UNUSED(reason);
        stream >> value;
        return true;
    }
};

// Values whose stream form can hold what the type cannot (a style outside
// its enumeration, a count that would reserve gigabytes, a size that is not
// a number) are read field by field and checked first.
template <typename T>
struct QtnCheckedValueStream
{
    static void save(QDataStream& stream, const T& value) { stream << value; }
    static bool load(QDataStream& stream, T& value, QString& reason)
    {
        QtnCheckedValueReader reader(stream);
        if (reader.read(value))
            return true;
        reason = reader.reason();
        return false;
    }
};

template <>
struct QtnValueStream<float> : QtnCheckedValueStream<float>
{
};

template <>
struct QtnValueStream<double> : QtnCheckedValueStream<double>
{
};

template <>
struct QtnValueStream<QColor> : QtnCheckedValueStream<QColor>
{
};

template <>
struct QtnValueStream<QPen> : QtnCheckedValueStream<QPen>
{
};

template <>
struct QtnValueStream<QFont> : QtnCheckedValueStream<QFont>
{
};

template <>
struct QtnValueStream<QRect> : QtnCheckedValueStream<QRect>
{
};

// A style enumeration travels as qint32; only the styles the property knows
// are taken.
template <typename Enum, bool (*isKnown)(int)>
struct QtnStyleValueStream
{
    static void save(QDataStream& stream, Enum value) { stream << qint32(value); }
    static bool load(QDataStream& stream, Enum& value, QString& reason)
    {
        qint32 raw = 0;
        stream >> raw;
        if (stream.status() != QDataStream::Ok)
            return true;
        if (!isKnown(raw))
        {
            reason = QStringLiteral("the style %1 lies outside its enumeration").arg(raw);
            return false;
        }
        value = Enum(raw);
        return true;
    }
};

template <>
struct QtnValueStream<Qt::PenStyle> : QtnStyleValueStream<Qt::PenStyle, &QtnCheckedValueReader::isPenStyle>
{
};

template <>
struct QtnValueStream<Qt::BrushStyle> : QtnStyleValueStream<Qt::BrushStyle, &QtnCheckedValueReader::isBrushStyle>
{
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

template <typename Enum, bool (*isKnown)(int)>
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
        // A number outside the enumeration is no style at all.
        if (!ok || !isKnown(raw))
            return false;
        value = Enum(raw);
        return true;
    }
    static void to(QVariant& var, const Enum& value) { var = QVariant::fromValue(value); }
};

template <>
struct QtnValueVariant<Qt::PenStyle> : QtnEnumValueVariant<Qt::PenStyle, &QtnCheckedValueReader::isPenStyle>
{
};

template <>
struct QtnValueVariant<Qt::BrushStyle> : QtnEnumValueVariant<Qt::BrushStyle, &QtnCheckedValueReader::isBrushStyle>
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

        // A sound value is restored as saved, in or out of the property's
        // range; a damaged one leaves the value alone.
        ValueType loadedValue = ValueType();
        QString reason;
        if (!QtnValueStream<ValueType>::load(stream, loadedValue, reason) || stream.status() != QDataStream::Ok)
        {
            QtnCheckedValueReader::logRefused(*this, QStringLiteral("load"), QStringLiteral("from stream"),
                                              reason.isEmpty() ? QStringLiteral("the stream ends inside the value")
                                                               : reason);
            return false;
        }

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
