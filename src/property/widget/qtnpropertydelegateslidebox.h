#ifndef QTN_PROPERTY_DELEGATE_SLIDE_BOX_H
#define QTN_PROPERTY_DELEGATE_SLIDE_BOX_H

#include "property/widget/qtnpropertydelegatetyped.h"

#include <QColor>
#include <QPointer>

#include <memory>

class QVariantAnimation;

// A numeric value shown as a filled bar: drag to set, scroll to step.
// Works on doubles; the typed layer below converts to the property's type.
class QtnPropertyDelegateSlideBox : public QtnPropertyDelegateWithValue
{
public:
    ~QtnPropertyDelegateSlideBox() override;

    // Value for a position within the bar, rounded to the step.
    double valueAtPosition(int x, const QRect& bar) const;

protected:
    explicit QtnPropertyDelegateSlideBox(QtnPropertyBase& owner);

    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    bool createSubItemValueImpl(QtnDrawContext& context, QtnSubItem& subItemValue) override;

    virtual double currentValue() const = 0;
    virtual double minimum() const = 0;
    virtual double maximum() const = 0;
    virtual double step() const = 0;
    virtual void storeValue(double value) = 0;

private:
    void drawBar(QtnDrawContext& context, const QRect& rect) const;
    void changeValue(double value, QWidget* viewport);

    QColor m_fillColor = QColor(200, 200, 255);
    bool m_bLiveUpdate = false;
    bool m_bDrawBorder = true;
    bool m_bUpdateByScroll = true;
    bool m_bAnimate = false;
    QString m_toolTip;

    bool m_bDragging = false;
    double m_dragValue = 0.0;
    std::unique_ptr<QVariantAnimation> m_animation;
    QPointer<QWidget> m_animatedViewport;
};

template <typename PropertyClass>
class QtnPropertyDelegateSlideBoxTyped : public QtnPropertyDelegateSlideBox
{
public:
    explicit QtnPropertyDelegateSlideBoxTyped(PropertyClass& owner)
        : QtnPropertyDelegateSlideBox(owner), m_typedOwner(owner)
    {
    }

protected:
    typedef typename PropertyClass::ValueType ValueType;

    double currentValue() const override { return double(m_typedOwner.value()); }
    double minimum() const override { return double(m_typedOwner.minValue()); }
    double maximum() const override { return double(m_typedOwner.maxValue()); }
    double step() const override { return double(m_typedOwner.stepValue()); }
    void storeValue(double value) override
    {
        value = qBound(minimum(), value, maximum());
        m_typedOwner.setValue(ValueType(value));
    }

private:
    PropertyClass& m_typedOwner;
};

#endif // QTN_PROPERTY_DELEGATE_SLIDE_BOX_H
