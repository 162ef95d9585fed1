#include "property/widget/qtnsubitem.h"
#include "property/widget/qtnpropertyview.h"

QStyle* QtnDrawContext::style() const
{
    return widget->style();
}

const QPalette& QtnDrawContext::palette() const
{
    return widget->palette();
}

QPalette::ColorGroup QtnDrawContext::colorGroup() const
{
    if (!widget->isEnabled())
        return QPalette::Disabled;
    return widget->hasFocus() ? QPalette::Active : QPalette::Inactive;
}

QColor QtnDrawContext::textColorFor(bool editable) const
{
    if (!editable)
        return palette().color(QPalette::Disabled, QPalette::Text);
    if (isActive)
        return palette().color(colorGroup(), QPalette::HighlightedText);
    return palette().color(colorGroup(), QPalette::Text);
}

QColor QtnDrawContext::alternateColor() const
{
    return palette().color(colorGroup(), QPalette::AlternateBase);
}

QRect QtnDrawContext::branchRect() const
{
    int h = rect.height();
    return QRect(rect.left() + margin, rect.top(), h, h);
}

QRect QtnDrawContext::nameRect() const
{
    QRect r = rect;
    r.setLeft(rect.left() + margin + rect.height());
    r.setRight(splitPos - 1);
    return r;
}

QRect QtnDrawContext::valueRect() const
{
    QRect r = rect;
    r.setLeft(splitPos + 1);
    r.setBottom(rect.bottom() - 1);   // keep the grid line visible
    return r;
}

QtnSubItemEvent::QtnSubItemEvent(Type type, QtnSubItemState state)
    : QEvent(QEvent::Type(type)), m_state(state)
{
}

void QtnEventContext::updateWidget()
{
    if (widget)
        widget->viewport()->update();
}

QtnSubItem::QtnSubItem(const QRect& r) : rect(r)
{
}

QStyle::State QtnSubItem::styleState(bool enabled, bool active) const
{
    QStyle::State state = QStyle::State_None;
    if (enabled)
        state |= QStyle::State_Enabled;
    if (active)
        state |= QStyle::State_Active;
    switch (m_state)
    {
    case QtnSubItemStateUnderCursor:
        state |= QStyle::State_MouseOver;
        break;
    case QtnSubItemStatePushed:
        state |= QStyle::State_Sunken;
        break;
    default:
        state |= QStyle::State_Raised;
        break;
    }
    return state;
}
