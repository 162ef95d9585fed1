#ifndef QTN_PROPERTY_DELEGATE_UINT_H
#define QTN_PROPERTY_DELEGATE_UINT_H

#include "property/core/qtnpropertyuint.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// An unsigned spin box with the property's range and step.
class QtnPropertyDelegateUInt : public QtnPropertyDelegateTyped<QtnPropertyUIntBase>
{
public:
    explicit QtnPropertyDelegateUInt(QtnPropertyUIntBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

protected:
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const override;
};

#endif // QTN_PROPERTY_DELEGATE_UINT_H
