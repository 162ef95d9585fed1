#ifndef QTN_PROPERTY_DELEGATE_BOOL_H
#define QTN_PROPERTY_DELEGATE_BOOL_H

#include "property/core/qtnpropertybool.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// A check box in the value column, toggled by a click or the Space key.
class QtnPropertyDelegateBoolCheck : public QtnPropertyDelegateTyped<QtnPropertyBoolBase, QtnPropertyDelegateWithValue>
{
public:
    explicit QtnPropertyDelegateBoolCheck(QtnPropertyBoolBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

protected:
    bool createSubItemValueImpl(QtnDrawContext& context, QtnSubItem& subItemValue) override;
};

// A choice between two captions ("labelFalse", "labelTrue").
class QtnPropertyDelegateBoolCombobox : public QtnPropertyDelegateTyped<QtnPropertyBoolBase>
{
public:
    explicit QtnPropertyDelegateBoolCombobox(QtnPropertyBoolBase& owner);

    QString label(bool value) const { return value ? m_labelTrue : m_labelFalse; }

protected:
    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool propertyValueToStrImpl(QString& strValue) const override;

private:
    QString m_labelFalse;
    QString m_labelTrue;
};

#endif // QTN_PROPERTY_DELEGATE_BOOL_H
