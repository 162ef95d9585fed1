#ifndef QTN_PROPERTY_DELEGATE_QBRUSH_STYLE_H
#define QTN_PROPERTY_DELEGATE_QBRUSH_STYLE_H

#include "property/core/qtnpropertyqbrushstyle.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// A brush style drawn as a pattern swatch and chosen from a combo box.
class QtnPropertyDelegateQBrushStyle : public QtnPropertyDelegateTyped<QtnPropertyQBrushStyleBase>
{
public:
    explicit QtnPropertyDelegateQBrushStyle(QtnPropertyQBrushStyleBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

    static void drawBrushStyle(QPainter& painter, const QRect& rect, Qt::BrushStyle style, const QColor& color);

protected:
    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    void drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext& context) const override;
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;

private:
    bool m_bShowAll = false;
};

#endif // QTN_PROPERTY_DELEGATE_QBRUSH_STYLE_H
