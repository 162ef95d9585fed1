#include "property/widget/qtnpropertyview.h"
#include "property/core/qtnpropertyset.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnpropertydelegate.h"
#include "property/widget/qtnpropertyviewitem.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

QtnPropertyView::QtnPropertyView(QWidget* parent)
    : QAbstractScrollArea(parent), m_delegateFactory(&QtnPropertyDelegateFactory::staticInstance()), m_tracker(this)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    updateItemHeight();
    updateColors();
}

QtnPropertyView::~QtnPropertyView()
{
    closeOwnEditor(false);
    if (m_propertySet)
        disconnect(m_propertySet, nullptr, this, nullptr);
}

void QtnPropertyView::closeOwnEditor(bool commit)
{
    QWidget* editor = qtnGetInplaceEdit();
    if (editor && isAncestorOf(editor))
        qtnStopInplaceEdit(commit);
}

void QtnPropertyView::clearTree()
{
    m_tracker.reset();
    m_rows.clear();
    m_rowByProperty.clear();
    m_itemByProperty.clear();
    m_root.reset();
    m_pendingChildren.clear();
    m_bTreeValid = false;
    m_bRowsValid = false;
}

void QtnPropertyView::clearActiveProperty()
{
    bool hadActive = m_bActiveSet;
    m_activeProperty = nullptr;
    m_bActiveSet = false;
    if (hadActive)
        emit activePropertyChanged(nullptr);
}

void QtnPropertyView::setPropertySet(QtnPropertySet* propertySet)
{
    closeOwnEditor(true);
    if (m_propertySet)
        disconnect(m_propertySet, nullptr, this, nullptr);
    m_propertySet = propertySet;
    if (m_propertySet)
    {
        connect(m_propertySet, &QtnPropertyBase::propertyWillChange, this, &QtnPropertyView::onPropertyWillChange);
        connect(m_propertySet, &QtnPropertyBase::propertyDidChange, this, &QtnPropertyView::onPropertyDidChange);
        connect(m_propertySet, &QObject::destroyed, this, &QtnPropertyView::onPropertySetDestroyed);
    }
    clearTree();
    verticalScrollBar()->setValue(0);
    clearActiveProperty();
    updateScrollRange();
    viewport()->update();
}

void QtnPropertyView::onPropertySetDestroyed()
{
    // The owner deleted the set: nothing of the old tree may be touched again.
    closeOwnEditor(false);
    clearTree();
    m_propertySet = nullptr;
    clearActiveProperty();
    updateScrollRange();
    viewport()->update();
}

void QtnPropertyView::onPropertyWillChange(const QtnPropertyBase*, const QtnPropertyBase*,
                                           QtnPropertyChangeReason reason, QtnPropertyValuePtr)
{
    if (reason & QtnPropertyChangeReasonChildPropertyRemove)
    {
        // The editor may belong to the property that is about to go.
        closeOwnEditor(false);
        m_tracker.reset();
    }
}

void QtnPropertyView::onPropertyDidChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase*,
                                          QtnPropertyChangeReason reason)
{
    if (reason & QtnPropertyChangeReasonChildPropertyAdd)
    {
        // Children are appended one by one while a set is filled: grow the
        // tree by the new child instead of rebuilding it for every addition.
        // The child may still be inside its constructor (a property joins
        // its parent set from there), so its item is made later.
        bool appended = false;
        bool topLevel = false;
        if (m_bTreeValid)
        {
            Item* parentItem = m_itemByProperty.value(changedProperty);
            const QtnPropertySet* set = changedProperty ? changedProperty->asPropertySet() : nullptr;
            if (parentItem && set && parentItem->property == changedProperty &&
                int(parentItem->children.size()) + parentItem->pendingChildren + 1 == set->childProperties().size())
            {
                ++parentItem->pendingChildren;
                m_pendingChildren.push_back(std::make_pair(parentItem, set->childProperties().last()));
                appended = true;
                topLevel = parentItem == m_root.get();
            }
        }
        if (!appended)
            m_bTreeValid = false;
        // A top-level child only adds rows at the end: the rows stay valid.
        if (!topLevel)
            invalidateRows();
    }
    if (reason & QtnPropertyChangeReasonChildPropertyRemove)
    {
        m_bTreeValid = false;
        invalidateRows();
    }
    // A new property collapses itself right after joining its set; its rows
    // are not built yet, so that costs no rebuild.
    if ((reason & QtnPropertyChangeReasonState) && (!m_bTreeValid || m_itemByProperty.contains(changedProperty)))
        invalidateRows();
    viewport()->update();
}

void QtnPropertyView::invalidateRows()
{
    if (m_bRowsValid)
        m_tracker.reset();
    m_bRowsValid = false;
    viewport()->update();
}

void QtnPropertyView::ensureTree()
{
    if (m_bTreeValid)
    {
        std::vector<std::pair<Item*, QtnPropertyBase*>> pending;
        pending.swap(m_pendingChildren);
        size_t firstNewRow = m_rows.size();
        for (const auto& entry : pending)
        {
            Item* parent = entry.first;
            --parent->pendingChildren;
            parent->children.push_back(Item::create(entry.second, parent, m_delegateFactory, m_itemByProperty));
            if (m_bRowsValid && parent == m_root.get())
                addRow(parent->children.back().get(), 0);
            else
                m_bRowsValid = false;
        }
        if (m_bRowsValid && m_rows.size() > firstNewRow)
        {
            for (size_t i = firstNewRow; i < m_rows.size(); ++i)
                m_rowByProperty.insert(m_rows[i].item->property, int(i));
            updateScrollRange();
        }
        return;
    }
    closeOwnEditor(false);
    clearTree();
    if (m_propertySet)
        m_root = Item::create(m_propertySet, nullptr, m_delegateFactory, m_itemByProperty);
    m_bTreeValid = true;
    m_bRowsValid = false;
}

void QtnPropertyView::addRows(Item* item, int level)
{
    for (const auto& child : item->children)
        addRow(child.get(), level);
}

void QtnPropertyView::addRow(Item* item, int level)
{
    QtnPropertyBase* property = item->property;
    if (!property->isVisible())
        return;
    size_t index = m_rows.size();
    m_rows.emplace_back();
    m_rows[index].item = item;
    m_rows[index].level = level;
    if (!property->state().testFlag(QtnPropertyStateCollapsed))
    {
        addRows(item, level + 1);
        m_rows[index].hasChildren = m_rows.size() > index + 1;
    }
    else
    {
        m_rows[index].hasChildren = item->hasVisibleChild();
    }
}

void QtnPropertyView::ensureRows()
{
    ensureTree();
    if (m_bRowsValid)
        return;
    m_tracker.reset();
    m_rows.clear();
    m_rowByProperty.clear();
    if (m_root)
        addRows(m_root.get(), 0);
    m_rowByProperty.reserve(int(m_rows.size()));
    for (size_t i = 0; i < m_rows.size(); ++i)
        m_rowByProperty.insert(m_rows[i].item->property, int(i));
    m_bRowsValid = true;
    updateScrollRange();

    // The active row may have gone (removed, or hidden in a collapsed
    // branch): the nearest shown ancestor takes its place.
    if (m_activeProperty && !m_rowByProperty.contains(m_activeProperty))
    {
        QtnPropertyBase* replacement = nullptr;
        Item* item = m_itemByProperty.value(m_activeProperty.data());
        for (Item* p = item ? item->parent : nullptr; p; p = p->parent)
        {
            if (m_rowByProperty.contains(p->property))
            {
                replacement = p->property;
                break;
            }
        }
        m_activeProperty = replacement;
        m_bActiveSet = replacement != nullptr;
        emit activePropertyChanged(replacement);
    }
    else if (!m_activeProperty && m_bActiveSet)
    {
        // The active property was deleted under the view.
        m_bActiveSet = false;
        emit activePropertyChanged(nullptr);
    }
    m_bActiveSet = !m_activeProperty.isNull();
}

void QtnPropertyView::updateItemHeight()
{
    m_itemHeight = fontMetrics().height() + m_itemHeightSpacing;
    for (Row& row : m_rows)
        row.subItemsBuilt = false;
    updateScrollRange();
}

bool QtnPropertyView::setItemHeightSpacing(int itemHeightSpacing)
{
    if (itemHeightSpacing < 0)
        return false;
    m_itemHeightSpacing = itemHeightSpacing;
    updateItemHeight();
    viewport()->update();
    return true;
}

void QtnPropertyView::setSplitRatio(float splitRatio)
{
    m_splitRatio = std::max(0.f, std::min(1.f, splitRatio));
    viewport()->update();
}

int QtnPropertyView::splitPosition() const
{
    return int(std::lround(viewport()->width() * double(m_splitRatio)));
}

void QtnPropertyView::updateColors()
{
    QColor button = palette().color(QPalette::Active, QPalette::Button);
    m_propertySetBackdropColor = button;
    m_linesColor = button.darker(112);
}

void QtnPropertyView::updateScrollRange()
{
    int rows = int(m_rows.size());
    int viewportHeight = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    bar->setSingleStep(m_itemHeight);
    bar->setPageStep(viewportHeight);
    bar->setRange(0, std::max(0, rows * m_itemHeight - viewportHeight + 2));
}

int QtnPropertyView::rowCount()
{
    ensureRows();
    return int(m_rows.size());
}

QtnPropertyBase* QtnPropertyView::propertyAtRow(int row)
{
    ensureRows();
    if (row < 0 || row >= int(m_rows.size()))
        return nullptr;
    return m_rows[size_t(row)].item->property;
}

int QtnPropertyView::rowOfProperty(const QtnPropertyBase* property)
{
    ensureRows();
    return m_rowByProperty.value(property, -1);
}

int QtnPropertyView::rowLevel(int row)
{
    ensureRows();
    if (row < 0 || row >= int(m_rows.size()))
        return -1;
    return m_rows[size_t(row)].level;
}

QtnPropertyBase* QtnPropertyView::propertyAt(const QPoint& viewportPos)
{
    return propertyAtRow(rowAtY(viewportPos.y()));
}

QRect QtnPropertyView::propertyRowRect(const QtnPropertyBase* property)
{
    int row = rowOfProperty(property);
    return row < 0 ? QRect() : rowRect(row);
}

QRect QtnPropertyView::propertyValueRect(const QtnPropertyBase* property)
{
    int row = rowOfProperty(property);
    if (row < 0)
        return QRect();
    return drawContext(row).valueRect();
}

QtnPropertyDelegate* QtnPropertyView::delegateOf(const QtnPropertyBase* property)
{
    ensureTree();
    Item* item = m_itemByProperty.value(property);
    return item ? item->delegate.get() : nullptr;
}

int QtnPropertyView::rowAtY(int y)
{
    ensureRows();
    if (y < 0 || m_itemHeight <= 0)
        return -1;
    int row = (y + verticalScrollBar()->value()) / m_itemHeight;
    return row < int(m_rows.size()) ? row : -1;
}

QRect QtnPropertyView::rowRect(int row) const
{
    return QRect(0, row * m_itemHeight - verticalScrollBar()->value(), viewport()->width(), m_itemHeight);
}

QtnDrawContext QtnPropertyView::drawContext(int row) const
{
    const Row& r = m_rows[size_t(row)];
    QtnDrawContext context;
    context.widget = this;
    context.rect = rowRect(row);
    context.margin = r.level * m_itemHeight;
    context.splitPos = splitPosition();
    context.isActive = m_activeProperty && r.item->property == m_activeProperty;
    context.hasChildren = r.hasChildren;
    context.isCollapsed = r.item->property->state().testFlag(QtnPropertyStateCollapsed);
    return context;
}

QtnPropertyView::Row* QtnPropertyView::ensureSubItems(int row)
{
    Row& r = m_rows[size_t(row)];
    QtnDrawContext context = drawContext(row);
    if (r.subItemsBuilt && r.builtRect == context.rect && r.builtSplit == context.splitPos &&
        r.builtActive == context.isActive)
        return &r;
    r.subItems.clear();
    if (r.item->delegate)
        r.item->delegate->createSubItems(context, r.subItems);
    r.subItemsBuilt = true;
    r.builtRect = context.rect;
    r.builtSplit = context.splitPos;
    r.builtActive = context.isActive;
    m_tracker.restoreStates(row, r.subItems);
    return &r;
}

void QtnPropertyView::paintEvent(QPaintEvent*)
{
    ensureRows();
    int rows = int(m_rows.size());
    if (rows == 0 || m_itemHeight <= 0)
        return;
    int scroll = verticalScrollBar()->value();
    int viewportHeight = viewport()->height();
    int first = std::min(scroll / m_itemHeight, rows - 1);
    int last = std::min((scroll + viewportHeight + 1) / m_itemHeight + 1, rows - 1);

    QPainter painter(viewport());
    for (int row = first; row <= last; ++row)
    {
        Row* r = ensureSubItems(row);
        QtnDrawContext context = drawContext(row);
        context.painter = &painter;
        for (const QtnSubItem& sub : r->subItems)
        {
            if (!sub.drawHandler)
                continue;
            painter.save();
            sub.drawHandler(context, sub);
            painter.restore();
        }
    }
}

void QtnPropertyView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void QtnPropertyView::scrollContentsBy(int, int)
{
    // An open editor would float over another row once the rows move.
    closeOwnEditor(true);
    viewport()->update();
}

void QtnPropertyView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateItemHeight();
    else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        updateColors();
}

bool QtnPropertyView::dispatchToRow(int row, const QPoint* pos, QEvent* event, SubItemRef* taker)
{
    if (row < 0)
        return false;
    Row* r = ensureSubItems(row);
    // Handlers may rebuild the rows: they work on copies of the parts.
    std::vector<QtnSubItem> parts = r->subItems;
    for (int i = int(parts.size()) - 1; i >= 0; --i)
    {
        QtnSubItem& sub = parts[size_t(i)];
        if (!sub.eventHandler || (pos && !sub.rect.contains(*pos)))
            continue;
        QtnEventContext context;
        context.event = event;
        context.widget = this;
        if (sub.eventHandler(context, sub))
        {
            if (taker)
            {
                taker->row = row;
                taker->index = i;
            }
            return true;
        }
    }
    return false;
}

void QtnPropertyView::mousePressEvent(QMouseEvent* event)
{
    m_tracker.mousePress(event);
}

void QtnPropertyView::mouseReleaseEvent(QMouseEvent* event)
{
    m_tracker.mouseRelease(event);
}

void QtnPropertyView::mouseMoveEvent(QMouseEvent* event)
{
    m_tracker.mouseMove(event);
}

void QtnPropertyView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPoint pos = event->pos();
    dispatchToRow(rowAtY(pos.y()), &pos, event);
}

void QtnPropertyView::wheelEvent(QWheelEvent* event)
{
    QPoint pos = event->position().toPoint();
    if (dispatchToRow(rowAtY(pos.y()), &pos, event))
        return;
    QAbstractScrollArea::wheelEvent(event);
}

bool QtnPropertyView::viewportEvent(QEvent* event)
{
    switch (event->type())
    {
    case QEvent::ToolTip:
    {
        auto helpEvent = static_cast<QHelpEvent*>(event);
        int row = rowAtY(helpEvent->pos().y());
        if (row < 0)
            break;
        Row* r = ensureSubItems(row);
        std::vector<QtnSubItem> parts = r->subItems;
        for (int i = int(parts.size()) - 1; i >= 0; --i)
        {
            QtnSubItem& sub = parts[size_t(i)];
            if (!sub.tooltipHandler || !sub.rect.contains(helpEvent->pos()))
                continue;
            QtnEventContext context;
            context.event = event;
            context.widget = this;
            QString text = sub.tooltipHandler(context, sub);
            if (!text.isEmpty())
            {
                QToolTip::showText(helpEvent->globalPos(), text, viewport(), sub.rect);
                return true;
            }
        }
        QToolTip::hideText();
        return true;
    }
    case QEvent::Leave:
        m_tracker.leave();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

bool QtnPropertyView::setActiveRow(int row)
{
    ensureRows();
    if (row < 0 || row >= int(m_rows.size()))
        return false;
    return setActiveProperty(m_rows[size_t(row)].item->property);
}

bool QtnPropertyView::setActiveProperty(QtnPropertyBase* property, bool ensureVisibleRow)
{
    closeOwnEditor(true);
    if (property)
    {
        ensureRows();
        if (!m_rowByProperty.contains(property))
            return false;
    }
    if (ensureVisibleRow && property)
        ensureVisible(property);
    if (m_activeProperty == property)
        return true;
    m_activeProperty = property;
    m_bActiveSet = property != nullptr;
    emit activePropertyChanged(property);
    viewport()->update();
    return true;
}

bool QtnPropertyView::ensureVisible(const QtnPropertyBase* property)
{
    int row = rowOfProperty(property);
    if (row < 0)
        return false;
    QScrollBar* bar = verticalScrollBar();
    int top = row * m_itemHeight;
    int bottom = top + m_itemHeight;
    if (top < bar->value())
        bar->setValue(top);
    else if (bottom > bar->value() + viewport()->height())
        bar->setValue(bottom - viewport()->height());
    return true;
}

void QtnPropertyView::keyPressEvent(QKeyEvent* event)
{
    ensureRows();
    int rows = int(m_rows.size());
    if (rows == 0)
        return;
    int active = m_activeProperty ? m_rowByProperty.value(m_activeProperty.data(), -1) : -1;
    int page = std::max(1, viewport()->height() / std::max(1, m_itemHeight));

    switch (event->key())
    {
    case Qt::Key_Up:
        setActiveRow(active < 0 ? 0 : std::max(0, active - 1));
        return;
    case Qt::Key_Down:
        setActiveRow(active < 0 ? 0 : std::min(rows - 1, active + 1));
        return;
    case Qt::Key_PageUp:
        setActiveRow(std::max(0, (active < 0 ? 0 : active) - page));
        return;
    case Qt::Key_PageDown:
        setActiveRow(std::min(rows - 1, (active < 0 ? 0 : active) + page));
        return;
    case Qt::Key_Home:
        setActiveRow(0);
        return;
    case Qt::Key_End:
        setActiveRow(rows - 1);
        return;
    case Qt::Key_Left:
    {
        if (active < 0)
            return;
        Row& r = m_rows[size_t(active)];
        QtnPropertyBase* property = r.item->property;
        if (r.hasChildren && !property->state().testFlag(QtnPropertyStateCollapsed))
        {
            property->addState(QtnPropertyStateCollapsed);
            invalidateRows();
        }
        else if (r.item->parent && r.item->parent != m_root.get())
        {
            setActiveProperty(r.item->parent->property);
        }
        return;
    }
    case Qt::Key_Right:
    {
        if (active < 0)
            return;
        Row& r = m_rows[size_t(active)];
        if (!r.hasChildren)
            return;
        QtnPropertyBase* property = r.item->property;
        if (property->state().testFlag(QtnPropertyStateCollapsed))
        {
            property->removeState(QtnPropertyStateCollapsed);
            invalidateRows();
        }
        else
        {
            setActiveRow(active + 1);
        }
        return;
    }
    default:
        break;
    }

    if (dispatchToRow(active, nullptr, event))
        return;
    QAbstractScrollArea::keyPressEvent(event);
}
