#ifndef QTN_PROPERTY_DELEGATE_DOUBLE_H
#define QTN_PROPERTY_DELEGATE_DOUBLE_H

#include "property/core/qtnpropertydouble.h"
#include "property/core/qtnpropertyfloat.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// A floating-point spin box with the property's range and step; the number
// of decimals follows the step (a step of 0.01 edits hundredths).
class QtnPropertyDelegateDouble : public QtnPropertyDelegateTyped<QtnPropertyDoubleBase>
{
public:
    explicit QtnPropertyDelegateDouble(QtnPropertyDoubleBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

protected:
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const override;
};

class QtnPropertyDelegateFloat : public QtnPropertyDelegateTyped<QtnPropertyFloatBase>
{
public:
    explicit QtnPropertyDelegateFloat(QtnPropertyFloatBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

protected:
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const override;
};

#endif // QTN_PROPERTY_DELEGATE_DOUBLE_H
