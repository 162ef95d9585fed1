#include "property/widget/qtnpropertydelegatebutton.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyview.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

QtnPropertyDelegateButton::QtnPropertyDelegateButton(QtnPropertyButton& owner)
    : QtnPropertyDelegateTyped<QtnPropertyButton, QtnPropertyDelegateWithValue>(owner)
{
}

void QtnPropertyDelegateButton::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyButton::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateButton, QtnPropertyButton>, "Button");
    factory.registerDelegate(&QtnPropertyButton::staticMetaObject,
                             &qtnCreateDelegate<QtnPropertyDelegateButtonLink, QtnPropertyButton>, "Link");
}

QString QtnPropertyDelegateButton::title() const
{
    return m_title.isEmpty() ? owner().displayName() : m_title;
}

void QtnPropertyDelegateButton::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    qtnGetAttribute(attributes, "title", m_title);
}

void QtnPropertyDelegateButton::drawButton(QtnDrawContext& ctx, const QtnSubItem& item)
{
    QStyleOptionButton option;
    option.initFrom(ctx.widget);
    option.rect = item.rect.adjusted(1, 1, -1, -1);
    option.state = item.styleState(owner().isEditable());
    option.text = title();
    owner().invokePreDrawButton(&option);
    ctx.style()->drawControl(QStyle::CE_PushButton, &option, ctx.painter, ctx.widget);
}

bool QtnPropertyDelegateButton::createSubItemValueImpl(QtnDrawContext&, QtnSubItem& subItemValue)
{
    subItemValue.trackState();
    subItemValue.drawHandler = [this](QtnDrawContext& ctx, const QtnSubItem& item) { drawButton(ctx, item); };
    subItemValue.eventHandler = [this](QtnEventContext& ctx, const QtnSubItem&) -> bool {
        if (!owner().isEditableByUser())
            return false;
        switch (ctx.eventType())
        {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            return true;
        case QtnSubItemEvent::Activated:
            owner().invokeClick();
            return true;
        case QEvent::KeyPress:
        {
            int key = ctx.eventAs<QKeyEvent>()->key();
            if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter)
                return false;
            owner().invokeClick();
            return true;
        }
        default:
            return false;
        }
    };
    return true;
}

QtnPropertyDelegateButtonLink::QtnPropertyDelegateButtonLink(QtnPropertyButton& owner)
    : QtnPropertyDelegateButton(owner)
{
}

void QtnPropertyDelegateButtonLink::drawButton(QtnDrawContext& ctx, const QtnSubItem& item)
{
    QPainter& p = *ctx.painter;
    p.save();
    QFont font = p.font();
    font.setUnderline(item.state() != QtnSubItemStateNone);
    p.setFont(font);
    QColor color = owner().isEditable() ? ctx.palette().color(ctx.colorGroup(), QPalette::Link)
                                        : ctx.palette().color(QPalette::Disabled, QPalette::Text);
    if (item.state() == QtnSubItemStatePushed)
        color = ctx.palette().color(ctx.colorGroup(), QPalette::LinkVisited);
    p.setPen(color);
    QRect textRect = item.rect.adjusted(4, 0, -2, 0);
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               p.fontMetrics().elidedText(title(), Qt::ElideRight, textRect.width()));
    p.restore();
}
