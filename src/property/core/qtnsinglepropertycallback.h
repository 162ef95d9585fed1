#ifndef QTN_SINGLE_PROPERTY_CALLBACK_H
#define QTN_SINGLE_PROPERTY_CALLBACK_H

#include <QObject>

#include <functional>

// The callback variant of a typed property: the value lives elsewhere (for
// example inside a compound value) and is read anew on every access.
template <typename Base>
class QtnSinglePropertyCallback : public Base
{
public:
    typedef typename Base::ValueType ValueType;
    typedef std::function<ValueType()> CallbackValueGet;
    typedef std::function<void(const ValueType&)> CallbackValueSet;
    typedef std::function<bool(const ValueType&)> CallbackValueAccepted;
    typedef std::function<bool(const ValueType&)> CallbackValueEqual;

    const CallbackValueGet& callbackValueGet() const { return m_callbackValueGet; }
    void setCallbackValueGet(const CallbackValueGet& callback) { m_callbackValueGet = callback; }

    const CallbackValueSet& callbackValueSet() const { return m_callbackValueSet; }
    void setCallbackValueSet(const CallbackValueSet& callback) { m_callbackValueSet = callback; }

    const CallbackValueAccepted& callbackValueAccepted() const { return m_callbackValueAccepted; }
    void setCallbackValueAccepted(const CallbackValueAccepted& callback) { m_callbackValueAccepted = callback; }

    const CallbackValueEqual& callbackValueEqual() const { return m_callbackValueEqual; }
    void setCallbackValueEqual(const CallbackValueEqual& callback) { m_callbackValueEqual = callback; }

protected:
    explicit QtnSinglePropertyCallback(QObject* parent)
        : Base(parent)
    {
    }

    ValueType valueImpl() const override
    {
        // Without a getter there is nothing to read; a default value beats a crash.
        if (!m_callbackValueGet)
            return ValueType();
        return m_callbackValueGet();
    }

    void setValueImpl(const ValueType& newValue) override
    {
        if (m_callbackValueSet)
            m_callbackValueSet(newValue);
    }

    bool isValueAcceptedImpl(const ValueType& valueToAccept) const override
    {
        if (m_callbackValueAccepted)
            return m_callbackValueAccepted(valueToAccept);
        return Base::isValueAcceptedImpl(valueToAccept);
    }

    bool isValueEqualImpl(const ValueType& valueToCompare) const override
    {
        if (m_callbackValueEqual)
            return m_callbackValueEqual(valueToCompare);
        return valueToCompare == valueImpl();
    }

private:
    CallbackValueGet m_callbackValueGet;
    CallbackValueSet m_callbackValueSet;
    CallbackValueAccepted m_callbackValueAccepted;
    CallbackValueEqual m_callbackValueEqual;
};

#endif // QTN_SINGLE_PROPERTY_CALLBACK_H
