#include "property/widget/qtnpropertydelegate.h"
#include "property/core/qtnpropertybase.h"
#include "property/widget/qtnpropertyview.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPainter>
#include <QStyleOption>

QtnPropertyDelegate::QtnPropertyDelegate(QtnPropertyBase& owner) : m_owner(owner)
{
}

QtnPropertyDelegate::~QtnPropertyDelegate()
{
    for (QtnPropertyBase* subProperty : m_subProperties)
        delete subProperty;
}

void QtnPropertyDelegate::applyAttributes(const QtnPropertyDelegateAttributes& attributes)
{
    applyAttributesImpl(attributes);
}

void QtnPropertyDelegate::applyAttributesImpl(const QtnPropertyDelegateAttributes&)
{
}

void QtnPropertyDelegate::createSubItems(QtnDrawContext& context, std::vector<QtnSubItem>& subItems)
{
    createSubItemsImpl(context, subItems);
}

void QtnPropertyDelegate::addSubProperty(QtnPropertyBase* subProperty)
{
    Q_ASSERT(subProperty);
    m_subProperties.push_back(subProperty);
}

void QtnPropertyDelegate::addSubItemBackground(QtnDrawContext& context, std::vector<QtnSubItem>& subItems)
{
    QtnSubItem item(context.rect);
    item.drawHandler = [](QtnDrawContext& ctx, const QtnSubItem& sub) {
        QPainter& p = *ctx.painter;
        // The indentation strip keeps the tree structure readable.
        QRect indent = sub.rect;
        indent.setRight(sub.rect.left() + ctx.margin + ctx.rect.height() - 1);
        p.fillRect(indent, ctx.widget->propertySetBackdropColor());
        QPen linePen(ctx.widget->linesColor());
        p.setPen(linePen);
        p.drawLine(sub.rect.left() + ctx.margin + ctx.rect.height() - 1, sub.rect.bottom(),
                   sub.rect.right(), sub.rect.bottom());
        p.drawLine(ctx.splitPos, sub.rect.top(), ctx.splitPos, sub.rect.bottom());
    };
    subItems.push_back(item);
}

void QtnPropertyDelegate::addSubItemSelection(QtnDrawContext& context, std::vector<QtnSubItem>& subItems)
{
    if (!context.isActive)
        return;
    QRect r = context.rect;
    r.setLeft(context.rect.left() + context.margin + context.rect.height());
    r.setRight(context.splitPos - 1);
    r.setBottom(context.rect.bottom() - 1);
    QtnSubItem item(r);
    item.drawHandler = [](QtnDrawContext& ctx, const QtnSubItem& sub) {
        ctx.painter->fillRect(sub.rect, ctx.palette().color(ctx.colorGroup(), QPalette::Highlight));
    };
    subItems.push_back(item);
}

void QtnPropertyDelegate::addSubItemBranchNode(QtnDrawContext& context, std::vector<QtnSubItem>& subItems)
{
    if (!context.hasChildren)
        return;
    QtnSubItem item(context.branchRect());
    item.trackState();
    QtnPropertyBase* owner = &m_owner;
    item.drawHandler = [owner](QtnDrawContext& ctx, const QtnSubItem& sub) {
        QPainter& p = *ctx.painter;
        bool collapsed = owner->state().testFlag(QtnPropertyStateCollapsed);
        int side = qMax(5, (sub.rect.height() / 3) | 1);
        QRectF box(0, 0, side, side);
        box.moveCenter(QRectF(sub.rect).center());
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        QColor color = ctx.palette().color(ctx.colorGroup(), QPalette::Text);
        if (sub.state() != QtnSubItemStateNone)
            color = ctx.palette().color(ctx.colorGroup(), QPalette::Highlight);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        QPolygonF arrow;
        if (collapsed)
            arrow << box.topLeft() << QPointF(box.right(), box.center().y()) << box.bottomLeft();
        else
            arrow << box.topLeft() << box.topRight() << QPointF(box.center().x(), box.bottom());
        p.drawPolygon(arrow);
        p.restore();
    };
    item.eventHandler = [owner](QtnEventContext& ctx, const QtnSubItem&) -> bool {
        switch (ctx.eventType())
        {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            owner->switchStateAuto(QtnPropertyStateCollapsed);
            // Sub-properties of delegates are outside the shown set: their
            // state changes do not reach the view through the set.
            ctx.widget->invalidateRows();
            return true;
        default:
            return false;
        }
    };
    item.tooltipHandler = [owner](QtnEventContext&, const QtnSubItem&) -> QString {
        return owner->state().testFlag(QtnPropertyStateCollapsed)
                   ? QCoreApplication::translate("QtnPropertyView", "Click to expand")
                   : QCoreApplication::translate("QtnPropertyView", "Click to collapse");
    };
    subItems.push_back(item);
}

void QtnPropertyDelegate::addSubItemName(QtnDrawContext& context, std::vector<QtnSubItem>& subItems,
                                         bool wholeRow)
{
    QRect r = context.nameRect();
    if (wholeRow)
        r.setRight(context.rect.right());
    r.adjust(3, 0, -3, 0);
    QtnSubItem item(r);
    QtnPropertyBase* owner = &m_owner;
    item.drawHandler = [owner, wholeRow](QtnDrawContext& ctx, const QtnSubItem& sub) {
        QPainter& p = *ctx.painter;
        p.save();
        QFont font = p.font();
        if (wholeRow)
            font.setBold(true);
        p.setFont(font);
        bool editable = owner->isEditable();
        p.setPen(ctx.isActive && !wholeRow ? ctx.palette().color(ctx.colorGroup(), QPalette::HighlightedText)
                                           : ctx.textColorFor(editable));
        if (ctx.isActive && !editable && !wholeRow)
            p.setPen(ctx.palette().color(QPalette::Disabled, QPalette::HighlightedText).lighter(140));
        QString text = p.fontMetrics().elidedText(owner->displayName(), Qt::ElideRight, sub.rect.width());
        p.drawText(sub.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        p.restore();
    };
    item.tooltipHandler = [owner](QtnEventContext&, const QtnSubItem&) -> QString {
        return owner->description().isEmpty() ? owner->displayName() : owner->description();
    };
    subItems.push_back(item);
}

int QtnPropertyDelegate::addSubItemReset(QtnDrawContext& context, std::vector<QtnSubItem>& subItems)
{
    if (!m_owner.resetCallback() || !m_owner.isEditableByUser())
        return 0;
    int side = context.rect.height() - 2;
    QRect r(context.rect.right() - side, context.rect.top() + 1, side, side - 1);
    QtnSubItem item(r);
    item.trackState();
    QtnPropertyBase* owner = &m_owner;
    item.drawHandler = [](QtnDrawContext& ctx, const QtnSubItem& sub) {
        QStyleOptionToolButton option;
        option.initFrom(ctx.widget);
        option.rect = sub.rect;
        option.state = sub.styleState(true);
        option.text = QStringLiteral("R");
        option.toolButtonStyle = Qt::ToolButtonTextOnly;
        option.subControls = QStyle::SC_ToolButton;
        if (sub.state() == QtnSubItemStateNone)
            option.state &= ~QStyle::State_Raised;
        else
            option.state |= QStyle::State_AutoRaise;
        ctx.style()->drawComplexControl(QStyle::CC_ToolButton, &option, ctx.painter, ctx.widget);
    };
    item.eventHandler = [owner](QtnEventContext& ctx, const QtnSubItem&) -> bool {
        switch (ctx.eventType())
        {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            return true;
        case QtnSubItemEvent::Activated:
            owner->reset();
            return true;
        default:
            return false;
        }
    };
    item.tooltipHandler = [](QtnEventContext&, const QtnSubItem&) -> QString {
        return QCoreApplication::translate("QtnPropertyView", "Reset to default");
    };
    subItems.push_back(item);
    return side + 1;
}
