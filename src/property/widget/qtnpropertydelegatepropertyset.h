#ifndef QTN_PROPERTY_DELEGATE_PROPERTY_SET_H
#define QTN_PROPERTY_DELEGATE_PROPERTY_SET_H

#include "property/widget/qtnpropertydelegate.h"

class QtnPropertySet;
class QtnPropertyDelegateFactory;

// A sub-set row: a band across both columns with the set's name in bold.
class QtnPropertyDelegatePropertySet : public QtnPropertyDelegate
{
public:
    explicit QtnPropertyDelegatePropertySet(QtnPropertySet& owner);

    static void Register(QtnPropertyDelegateFactory& factory);

protected:
    void createSubItemsImpl(QtnDrawContext& context, std::vector<QtnSubItem>& subItems) override;
};

#endif // QTN_PROPERTY_DELEGATE_PROPERTY_SET_H
