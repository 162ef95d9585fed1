#ifndef QTN_PROPERTY_DELEGATE_ENUM_FLAGS_H
#define QTN_PROPERTY_DELEGATE_ENUM_FLAGS_H

#include "property/core/qtnpropertyenumflags.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// A flag set: one boolean sub-property per enumeration value; the row edits
// the text form ("Name::A|Name::B").
class QtnPropertyDelegateEnumFlags : public QtnPropertyDelegateTyped<QtnPropertyEnumFlagsBase>
{
public:
    explicit QtnPropertyDelegateEnumFlags(QtnPropertyEnumFlagsBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

protected:
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const override;
    bool propertyValueToStrImpl(QString& strValue) const override;
};

#endif // QTN_PROPERTY_DELEGATE_ENUM_FLAGS_H
