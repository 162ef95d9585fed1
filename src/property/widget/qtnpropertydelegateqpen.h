#ifndef QTN_PROPERTY_DELEGATE_QPEN_H
#define QTN_PROPERTY_DELEGATE_QPEN_H

#include "property/core/qtnpropertyqpen.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// A pen drawn as a sample line, edited as its text form; the "edit..."
// attributes add sub-properties for its parts.
class QtnPropertyDelegateQPen : public QtnPropertyDelegateTyped<QtnPropertyQPenBase>
{
public:
    explicit QtnPropertyDelegateQPen(QtnPropertyQPenBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

protected:
    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    void drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext& context) const override;
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const override;
};

#endif // QTN_PROPERTY_DELEGATE_QPEN_H
