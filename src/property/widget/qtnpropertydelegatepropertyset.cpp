#include "property/widget/qtnpropertydelegatepropertyset.h"
#include "property/core/qtnpropertyset.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyview.h"

#include <QPainter>

QtnPropertyDelegatePropertySet::QtnPropertyDelegatePropertySet(QtnPropertySet& owner)
    : QtnPropertyDelegate(owner)
{
}

void QtnPropertyDelegatePropertySet::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertySet::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegatePropertySet, QtnPropertySet>,
                                    "Default");
}

void QtnPropertyDelegatePropertySet::createSubItemsImpl(QtnDrawContext& context, std::vector<QtnSubItem>& subItems)
{
    QtnSubItem band(context.rect);
    band.drawHandler = [](QtnDrawContext& ctx, const QtnSubItem& sub) {
        QPainter& p = *ctx.painter;
        QColor backdrop = ctx.widget->propertySetBackdropColor();
        p.fillRect(sub.rect, backdrop);
        if (ctx.isActive)
        {
            QRect r = sub.rect;
            r.setLeft(sub.rect.left() + ctx.margin + ctx.rect.height());
            r.setBottom(sub.rect.bottom() - 1);
            QColor highlight = ctx.palette().color(ctx.colorGroup(), QPalette::Highlight);
            highlight.setAlpha(70);
            p.fillRect(r, highlight);
        }
        p.setPen(ctx.widget->linesColor());
        p.drawLine(sub.rect.left(), sub.rect.bottom(), sub.rect.right(), sub.rect.bottom());
    };
    subItems.push_back(band);
    addSubItemBranchNode(context, subItems);
    addSubItemName(context, subItems, true);
}
