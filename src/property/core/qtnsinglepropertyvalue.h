#ifndef QTN_SINGLE_PROPERTY_VALUE_H
#define QTN_SINGLE_PROPERTY_VALUE_H

#include <QObject>

// The stored variant of a typed property: the value lives in the property.
template <typename Base>
class QtnSinglePropertyValue : public Base
{
public:
    typedef typename Base::ValueType ValueType;

protected:
    explicit QtnSinglePropertyValue(QObject* parent)
        : Base(parent),
          m_value()
    {
    }

    ValueType valueImpl() const override { return m_value; }
    void setValueImpl(const ValueType& newValue) override { m_value = newValue; }
    // Compared in place: valueImpl would copy the value first (a string, a pen).
    bool isValueEqualImpl(const ValueType& valueToCompare) const override { return valueToCompare == m_value; }

private:
    ValueType m_value;
};

#endif // QTN_SINGLE_PROPERTY_VALUE_H
