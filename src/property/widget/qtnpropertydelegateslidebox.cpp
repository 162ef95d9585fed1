#include "property/widget/qtnpropertydelegateslidebox.h"
#include "property/core/qtnpropertybase.h"
#include "property/widget/qtnpropertyview.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QVariantAnimation>
#include <QWheelEvent>

#include <cmath>

QtnPropertyDelegateSlideBox::QtnPropertyDelegateSlideBox(QtnPropertyBase& owner)
    : QtnPropertyDelegateWithValue(owner),
      m_toolTip(QCoreApplication::translate("QtnPropertyView", "Drag/Scroll mouse to change value"))
{
}

QtnPropertyDelegateSlideBox::~QtnPropertyDelegateSlideBox() = default;

void QtnPropertyDelegateSlideBox::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    qtnGetAttribute(attributes, "fillColor", m_fillColor);
    qtnGetAttribute(attributes, "liveUpdate", m_bLiveUpdate);
    qtnGetAttribute(attributes, "drawBorder", m_bDrawBorder);
    qtnGetAttribute(attributes, "updateByScroll", m_bUpdateByScroll);
    qtnGetAttribute(attributes, "animate", m_bAnimate);
    qtnGetAttribute(attributes, "toolTip", m_toolTip);
}

double QtnPropertyDelegateSlideBox::valueAtPosition(int x, const QRect& bar) const
{
    double lo = minimum();
    double hi = maximum();
    if (bar.width() <= 1 || !(hi > lo))
        return lo;
    double ratio = qBound(0.0, double(x - bar.left()) / double(bar.width() - 1), 1.0);
    double value = lo + (hi - lo) * ratio;
    double s = step();
    if (s > 0.0)
        value = lo + std::round((value - lo) / s) * s;
    return qBound(lo, value, hi);
}

void QtnPropertyDelegateSlideBox::changeValue(double value, QWidget* viewport)
{
    double old = currentValue();
    storeValue(value);
    if (!m_bAnimate || !viewport || old == currentValue())
        return;
    if (!m_animation)
        m_animation.reset(new QVariantAnimation());
    m_animation->stop();
    QObject::disconnect(m_animation.get(), nullptr, nullptr, nullptr);
    m_animatedViewport = viewport;
    QPointer<QWidget> target = viewport;
    QObject::connect(m_animation.get(), &QVariantAnimation::valueChanged, viewport, [target] {
        if (target)
            target->update();
    });
    m_animation->setStartValue(old);
    m_animation->setEndValue(currentValue());
    m_animation->setDuration(150);
    m_animation->start();
}

void QtnPropertyDelegateSlideBox::drawBar(QtnDrawContext& ctx, const QRect& rect) const
{
    QPainter& p = *ctx.painter;
    QRect bar = rect.adjusted(2, 2, -2, -2);
    double shown = m_bDragging ? m_dragValue : currentValue();
    if (m_animation && m_animation->state() == QAbstractAnimation::Running)
        shown = m_animation->currentValue().toDouble();
    double lo = minimum();
    double hi = maximum();
    double ratio = hi > lo ? qBound(0.0, (shown - lo) / (hi - lo), 1.0) : 0.0;

    QRect filled = bar;
    filled.setWidth(int(std::lround(bar.width() * ratio)));
    QColor fill = m_owner.isEditable() ? m_fillColor : ctx.palette().color(QPalette::Disabled, QPalette::Button);
    p.fillRect(filled, fill);
    if (m_bDrawBorder)
    {
        p.setPen(ctx.widget->linesColor().darker(130));
        p.drawRect(bar.adjusted(0, 0, -1, -1));
    }
    QString text = valueText();
    if (m_bDragging)
        text = QString::number(m_dragValue, 'g', 10);
    p.setPen(valueTextColor(ctx));
    p.drawText(bar, Qt::AlignCenter | Qt::TextSingleLine, p.fontMetrics().elidedText(text, Qt::ElideRight, bar.width()));
}

bool QtnPropertyDelegateSlideBox::createSubItemValueImpl(QtnDrawContext&, QtnSubItem& subItemValue)
{
    subItemValue.trackState();
    subItemValue.drawHandler = [this](QtnDrawContext& ctx, const QtnSubItem& sub) { drawBar(ctx, sub.rect); };
    subItemValue.tooltipHandler = [this](QtnEventContext&, const QtnSubItem&) -> QString { return m_toolTip; };
    subItemValue.eventHandler = [this](QtnEventContext& ctx, const QtnSubItem& sub) -> bool {
        if (!m_owner.isEditableByUser())
            return false;
        QRect bar = sub.rect.adjusted(2, 2, -2, -2);
        switch (ctx.eventType())
        {
        case QEvent::MouseButtonPress:
            m_bDragging = true;
            m_dragValue = valueAtPosition(ctx.eventAs<QMouseEvent>()->x(), bar);
            if (m_bLiveUpdate)
                storeValue(m_dragValue);
            ctx.updateWidget();
            return true;
        case QEvent::MouseMove:
            if (!m_bDragging)
                return false;
            m_dragValue = valueAtPosition(ctx.eventAs<QMouseEvent>()->x(), bar);
            if (m_bLiveUpdate)
                storeValue(m_dragValue);
            ctx.updateWidget();
            return true;
        case QEvent::MouseButtonRelease:
            if (!m_bDragging)
                return false;
            m_bDragging = false;
            changeValue(valueAtPosition(ctx.eventAs<QMouseEvent>()->x(), bar), ctx.widget->viewport());
            ctx.updateWidget();
            return true;
        case QEvent::Wheel:
        {
            if (!m_bUpdateByScroll)
                return false;
            int steps = ctx.eventAs<QWheelEvent>()->angleDelta().y() / 120;
            if (steps == 0)
                return true;
            double s = step() > 0.0 ? step() : 1.0;
            changeValue(qBound(minimum(), currentValue() + steps * s, maximum()), ctx.widget->viewport());
            ctx.updateWidget();
            return true;
        }
        default:
            return false;
        }
    };
    return true;
}
