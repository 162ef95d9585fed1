#ifndef QTN_PROPERTY_DELEGATE_QCOLOR_H
#define QTN_PROPERTY_DELEGATE_QCOLOR_H

#include "property/core/qtnpropertyqcolor.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// How the colour is shown before its text.
enum QtnColorDelegateShape
{
    QtnColorDelegateShapeNone = 1,
    QtnColorDelegateShapeSquare = 2,
    QtnColorDelegateShapeCircle = 3
};

// A colour as swatch and "#rrggbb" text, edited as text or through the
// colour dialog behind the editor's button.
class QtnPropertyDelegateQColor : public QtnPropertyDelegateTyped<QtnPropertyQColorBase>
{
public:
    explicit QtnPropertyDelegateQColor(QtnPropertyQColorBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

    QtnColorDelegateShape shape() const { return m_shape; }
    static void drawColorSwatch(QPainter& painter, const QRect& rect, const QColor& color,
                                QtnColorDelegateShape shape, const QColor& frame);

protected:
    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    void drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext& context) const override;
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const override;

private:
    QtnColorDelegateShape m_shape = QtnColorDelegateShapeSquare;
};

// The whole value column painted in the colour; a click opens the dialog.
class QtnPropertyDelegateQColorSolid : public QtnPropertyDelegateTyped<QtnPropertyQColorBase>
{
public:
    explicit QtnPropertyDelegateQColorSolid(QtnPropertyQColorBase& owner);

protected:
    void drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext& context) const override;
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
};

#endif // QTN_PROPERTY_DELEGATE_QCOLOR_H
