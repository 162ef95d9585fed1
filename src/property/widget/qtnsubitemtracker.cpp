#include "property/widget/qtnsubitemtracker.h"
#include "property/widget/qtnpropertyview.h"

#include <QMouseEvent>
#include <QRubberBand>

#include <cmath>

// A press this close to the column border drags the border instead of selecting.
static const int BorderGrabDistance = 3;

QtnSubItemTracker::QtnSubItemTracker(QtnPropertyView* view) : m_view(view)
{
}

bool QtnSubItemTracker::nearBorder(int x) const
{
    return std::abs(x - m_view->splitPosition()) <= BorderGrabDistance;
}

QtnSubItem* QtnSubItemTracker::subItem(const Ref& ref)
{
    if (!m_view->m_bRowsValid || !ref.isValid() || ref.row >= int(m_view->m_rows.size()))
        return nullptr;
    QtnPropertyView::Row& r = m_view->m_rows[size_t(ref.row)];
    if (!r.subItemsBuilt || ref.index >= int(r.subItems.size()))
        return nullptr;
    return &r.subItems[size_t(ref.index)];
}

QtnSubItemTracker::Ref QtnSubItemTracker::subItemAt(int row, const QPoint& pos)
{
    Ref ref;
    if (row < 0)
        return ref;
    QtnPropertyView::Row* r = m_view->ensureSubItems(row);
    // Later parts lie on top of earlier ones (the value over the background).
    for (int i = int(r->subItems.size()) - 1; i >= 0; --i)
    {
        const QtnSubItem& sub = r->subItems[size_t(i)];
        if (sub.isTrackingState() && sub.rect.contains(pos))
        {
            ref.row = row;
            ref.index = i;
            break;
        }
    }
    return ref;
}

bool QtnSubItemTracker::sendToSubItem(const Ref& ref, QEvent* event)
{
    QtnSubItem* sub = subItem(ref);
    if (!sub || !sub->eventHandler)
        return false;
    QtnEventContext context;
    context.event = event;
    context.widget = m_view;
    // The handler may rebuild the rows: it works on a copy of the part.
    QtnSubItem copy = *sub;
    return copy.eventHandler(context, copy);
}

void QtnSubItemTracker::setSubItemState(const Ref& ref, QtnSubItemState state)
{
    if (QtnSubItem* sub = subItem(ref))
    {
        sub->setState(state);
        m_view->viewport()->update(sub->rect);
    }
}

void QtnSubItemTracker::restoreStates(int row, std::vector<QtnSubItem>& subItems) const
{
    for (const Ref* ref : {&m_hover, &m_grab})
    {
        if (ref->row == row && ref->index < int(subItems.size()))
            subItems[size_t(ref->index)].setState(ref == &m_grab ? QtnSubItemStatePushed
                                                                  : QtnSubItemStateUnderCursor);
    }
}

void QtnSubItemTracker::updateHover(const QPoint& pos)
{
    Ref now = subItemAt(m_view->rowAtY(pos.y()), pos);
    if (now == m_hover)
        return;
    Ref old = m_hover;
    m_hover = now;
    if (old.isValid() && !(old == m_grab))
    {
        setSubItemState(old, QtnSubItemStateNone);
        QtnSubItemEvent leave(QtnSubItemEvent::HoverLeave, QtnSubItemStateNone);
        sendToSubItem(old, &leave);
    }
    if (now.isValid() && !m_grab.isValid())
    {
        setSubItemState(now, QtnSubItemStateUnderCursor);
        QtnSubItemEvent enter(QtnSubItemEvent::HoverEnter, QtnSubItemStateUnderCursor);
        sendToSubItem(now, &enter);
    }
    m_view->viewport()->update();
}

void QtnSubItemTracker::leave()
{
    updateHover(QPoint(-1, -1));   // no part lies there
}

void QtnSubItemTracker::releaseGrab()
{
    if (m_grab.isValid())
        setSubItemState(m_grab, QtnSubItemStateNone);
    m_grab = Ref();
}

void QtnSubItemTracker::reset()
{
    m_hover = Ref();
    m_grab = Ref();
}

void QtnSubItemTracker::mousePress(QMouseEvent* event)
{
    QWidget* viewport = m_view->viewport();
    if (event->button() == Qt::LeftButton && nearBorder(event->x()))
    {
        if (!m_rubberBand)
            m_rubberBand = new QRubberBand(QRubberBand::Line, viewport);
        m_rubberBand->setGeometry(event->x(), 0, 1, viewport->height());
        m_rubberBand->show();
        return;
    }

    int row = m_view->rowAtY(event->y());
    if (row < 0)
        return;
    m_view->setActiveRow(row);
    // Activation may have closed an editor and changed states: look again.
    row = m_view->rowAtY(event->y());
    QPoint pos = event->pos();
    Ref taker;
    if (m_view->dispatchToRow(row, &pos, event, &taker))
    {
        QtnSubItem* sub = subItem(taker);
        if (sub && sub->isTrackingState() && event->button() == Qt::LeftButton)
        {
            releaseGrab();
            m_grab = taker;
            setSubItemState(taker, QtnSubItemStatePushed);
        }
    }
}

void QtnSubItemTracker::mouseRelease(QMouseEvent* event)
{
    if (m_rubberBand && m_rubberBand->isVisible())
    {
        m_rubberBand->hide();
        int width = m_view->viewport()->width();
        if (width > 0)
            m_view->setSplitRatio(float(double(event->x()) / width));
        return;
    }

    if (m_grab.isValid())
    {
        Ref grabbed = m_grab;
        m_grab = Ref();
        QtnSubItem* sub = subItem(grabbed);
        bool inside = sub && sub->rect.contains(event->pos());
        sendToSubItem(grabbed, event);
        if (inside)
        {
            setSubItemState(grabbed, QtnSubItemStateUnderCursor);
            m_hover = grabbed;
            QtnSubItemEvent activated(QtnSubItemEvent::Activated, QtnSubItemStateUnderCursor);
            sendToSubItem(grabbed, &activated);
        }
        else
        {
            setSubItemState(grabbed, QtnSubItemStateNone);
        }
        m_view->viewport()->update();
        return;
    }
    QPoint pos = event->pos();
    m_view->dispatchToRow(m_view->rowAtY(pos.y()), &pos, event);
}

void QtnSubItemTracker::mouseMove(QMouseEvent* event)
{
    QWidget* viewport = m_view->viewport();
    if (m_rubberBand && m_rubberBand->isVisible())
    {
        m_rubberBand->setGeometry(event->x(), 0, 1, viewport->height());
        return;
    }
    if (nearBorder(event->x()))
        viewport->setCursor(Qt::SplitHCursor);
    else
        viewport->unsetCursor();

    if (m_grab.isValid())
    {
        sendToSubItem(m_grab, event);
        return;
    }
    updateHover(event->pos());
    QPoint pos = event->pos();
    m_view->dispatchToRow(m_view->rowAtY(pos.y()), &pos, event);
}
