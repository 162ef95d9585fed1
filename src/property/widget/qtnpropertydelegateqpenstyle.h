#ifndef QTN_PROPERTY_DELEGATE_QPEN_STYLE_H
#define QTN_PROPERTY_DELEGATE_QPEN_STYLE_H

#include "property/core/qtnpropertyqpenstyle.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// A pen style drawn as a line sample and chosen from a combo box of samples.
class QtnPropertyDelegateQPenStyle : public QtnPropertyDelegateTyped<QtnPropertyQPenStyleBase>
{
public:
    explicit QtnPropertyDelegateQPenStyle(QtnPropertyQPenStyleBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

    static void drawPenStyle(QPainter& painter, const QRect& rect, Qt::PenStyle style, const QColor& color);

protected:
    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    void drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext& context) const override;
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;

private:
    bool m_bShowNoPen = false;
};

#endif // QTN_PROPERTY_DELEGATE_QPEN_STYLE_H
