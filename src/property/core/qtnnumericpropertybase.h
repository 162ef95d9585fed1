#ifndef QTN_NUMERIC_PROPERTY_BASE_H
#define QTN_NUMERIC_PROPERTY_BASE_H

#include "property/core/qtnsinglepropertybase.h"

#include <limits>

// A single property with a closed range [minValue, maxValue] and an editor step.
template <typename T>
class QtnNumericPropertyBase : public QtnSinglePropertyBase<T>
{
public:
    typedef T ValueType;

    ValueType minValue() const { return m_minValue; }
    void setMinValue(ValueType minValue)
    {
        m_minValue = minValue;
        clampValue();
    }

    ValueType maxValue() const { return m_maxValue; }
    void setMaxValue(ValueType maxValue)
    {
        m_maxValue = maxValue;
        clampValue();
    }

    ValueType stepValue() const { return m_stepValue; }
    void setStepValue(ValueType stepValue) { m_stepValue = stepValue; }

protected:
    explicit QtnNumericPropertyBase(QObject* parent)
        : QtnSinglePropertyBase<T>(parent),
          m_minValue(std::numeric_limits<T>::lowest()),
          m_maxValue(std::numeric_limits<T>::max()),
          m_stepValue(T(1))
    {
    }

    bool isValueAcceptedImpl(const ValueType& valueToAccept) const override
    {
        return valueToAccept >= m_minValue && valueToAccept <= m_maxValue;
    }

private:
    // A narrowed range must not leave a value the range now refuses.
    void clampValue()
    {
        const ValueType current = this->value();
        if (current < m_minValue)
            this->setValue(m_minValue);
        else if (current > m_maxValue)
            this->setValue(m_maxValue);
    }

    ValueType m_minValue;
    ValueType m_maxValue;
    ValueType m_stepValue;
};

#endif // QTN_NUMERIC_PROPERTY_BASE_H
