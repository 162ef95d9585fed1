#ifndef QTN_PROPERTY_DELEGATE_ENUM_H
#define QTN_PROPERTY_DELEGATE_ENUM_H

#include "property/core/qtnpropertyenum.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QComboBox;
class QtnPropertyDelegateFactory;

// An enumeration value chosen in a combo box of display names.
class QtnPropertyDelegateEnum : public QtnPropertyDelegateTyped<QtnPropertyEnumBase>
{
public:
    explicit QtnPropertyDelegateEnum(QtnPropertyEnumBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

    // Fills a combo box with the visible values of info (value as item data).
    static void fillComboBox(QComboBox* comboBox, const QtnEnumInfo& info, QtnEnumValueType current);

protected:
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool propertyValueToStrImpl(QString& strValue) const override;
};

#endif // QTN_PROPERTY_DELEGATE_ENUM_H
