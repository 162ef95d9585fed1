#ifndef QTN_PROPERTY_DELEGATE_TYPED_H
#define QTN_PROPERTY_DELEGATE_TYPED_H

#include "property/widget/qtnpropertydelegatewithvalue.h"

// Binds a delegate layer to one property class so that it reads and writes
// values of that class without casts.
template <typename PropertyClass, typename DelegateBase = QtnPropertyDelegateWithValueEditor>
class QtnPropertyDelegateTyped : public DelegateBase
{
public:
    PropertyClass& owner() const { return m_typedOwner; }

protected:
    explicit QtnPropertyDelegateTyped(PropertyClass& owner) : DelegateBase(owner), m_typedOwner(owner) {}

private:
    PropertyClass& m_typedOwner;
};

#endif // QTN_PROPERTY_DELEGATE_TYPED_H
