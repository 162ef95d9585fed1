#ifndef QTN_PROPERTY_DELEGATE_BUTTON_H
#define QTN_PROPERTY_DELEGATE_BUTTON_H

#include "property/core/qtnpropertybutton.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// A push button in the value column; a click, Space or Return calls invokeClick.
class QtnPropertyDelegateButton : public QtnPropertyDelegateTyped<QtnPropertyButton, QtnPropertyDelegateWithValue>
{
public:
    explicit QtnPropertyDelegateButton(QtnPropertyButton& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

    QString title() const;

protected:
    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    bool createSubItemValueImpl(QtnDrawContext& context, QtnSubItem& subItemValue) override;
    virtual void drawButton(QtnDrawContext& context, const QtnSubItem& item);

private:
    QString m_title;
};

// The same action drawn as an underlined link.
class QtnPropertyDelegateButtonLink : public QtnPropertyDelegateButton
{
public:
    explicit QtnPropertyDelegateButtonLink(QtnPropertyButton& owner);

protected:
    void drawButton(QtnDrawContext& context, const QtnSubItem& item) override;
};

#endif // QTN_PROPERTY_DELEGATE_BUTTON_H
