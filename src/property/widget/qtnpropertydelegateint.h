#ifndef QTN_PROPERTY_DELEGATE_INT_H
#define QTN_PROPERTY_DELEGATE_INT_H

#include "property/core/qtnpropertyint.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// A spin box with the property's range and step.
class QtnPropertyDelegateInt : public QtnPropertyDelegateTyped<QtnPropertyIntBase>
{
public:
    explicit QtnPropertyDelegateInt(QtnPropertyIntBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

protected:
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const override;
};

#endif // QTN_PROPERTY_DELEGATE_INT_H
