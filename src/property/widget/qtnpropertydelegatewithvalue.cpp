#include "property/widget/qtnpropertydelegatewithvalue.h"
#include "property/core/qtnpropertybase.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnpropertyview.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

QtnPropertyDelegateWithValue::QtnPropertyDelegateWithValue(QtnPropertyBase& owner) : QtnPropertyDelegate(owner)
{
}

QString QtnPropertyDelegateWithValue::valueText() const
{
    QString text;
    if (!propertyValueToStrImpl(text))
        text.clear();
    return text;
}

void QtnPropertyDelegateWithValue::createSubItemsImpl(QtnDrawContext& context, std::vector<QtnSubItem>& subItems)
{
    addSubItemBackground(context, subItems);
    addSubItemSelection(context, subItems);
    addSubItemBranchNode(context, subItems);
    addSubItemName(context, subItems);
    int resetWidth = addSubItemReset(context, subItems);

    QRect valueRect = context.valueRect();
    valueRect.setRight(valueRect.right() - resetWidth);
    QtnSubItem value(valueRect);
    if (createSubItemValueImpl(context, value))
        subItems.push_back(value);
}

bool QtnPropertyDelegateWithValue::createSubItemValueImpl(QtnDrawContext&, QtnSubItem& subItemValue)
{
    subItemValue.drawHandler = [this](QtnDrawContext& ctx, const QtnSubItem& sub) {
        drawValueImpl(*ctx.painter, sub.rect, ctx);
    };
    subItemValue.tooltipHandler = [this](QtnEventContext&, const QtnSubItem&) -> QString {
        return valueText();
    };
    return true;
}

void QtnPropertyDelegateWithValue::drawValueImpl(QPainter& painter, const QRect& rect,
                                                 const QtnDrawContext& context) const
{
    drawValueText(valueText(), painter, rect, context);
}

bool QtnPropertyDelegateWithValue::propertyValueToStrImpl(QString& strValue) const
{
    return m_owner.toStr(strValue);
}

QColor QtnPropertyDelegateWithValue::valueTextColor(const QtnDrawContext& context) const
{
    if (!m_owner.isEditable())
        return context.palette().color(QPalette::Disabled, QPalette::Text);
    return context.palette().color(context.colorGroup(), QPalette::Text);
}

void QtnPropertyDelegateWithValue::drawValueText(const QString& text, QPainter& painter, const QRect& rect,
                                                 const QtnDrawContext& context) const
{
    if (text.isEmpty())
        return;
    QRect textRect = rect.adjusted(4, 0, -2, 0);
    painter.save();
    painter.setPen(valueTextColor(context));
    QString elided = painter.fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, elided);
    painter.restore();
}

QtnPropertyDelegateWithValueEditor::QtnPropertyDelegateWithValueEditor(QtnPropertyBase& owner)
    : QtnPropertyDelegateWithValue(owner)
{
}

QWidget* QtnPropertyDelegateWithValueEditor::createValueEditor(QWidget* parent, const QRect& rect,
                                                               QtnInplaceInfo* inplaceInfo)
{
    if (!m_owner.isEditableByUser())
        return nullptr;
    return createValueEditorImpl(parent, rect, inplaceInfo);
}

bool QtnPropertyDelegateWithValueEditor::createSubItemValueImpl(QtnDrawContext& context, QtnSubItem& subItemValue)
{
    if (!QtnPropertyDelegateWithValue::createSubItemValueImpl(context, subItemValue))
        return false;
    subItemValue.trackState();
    subItemValue.eventHandler = [this](QtnEventContext& ctx, const QtnSubItem& sub) -> bool {
        bool open = false;
        switch (ctx.eventType())
        {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            // Taken so that the release over the value activates it.
            return m_owner.isEditableByUser();
        case QtnSubItemEvent::Activated:
            open = true;
            break;
        case QEvent::KeyPress:
            open = acceptKeyPressedForInplaceEditImpl(ctx.eventAs<QKeyEvent>());
            break;
        default:
            break;
        }
        if (!open || !m_owner.isEditableByUser())
            return false;
        QtnInplaceInfo info;
        info.activationEvent = ctx.event;
        QWidget* editor = createValueEditor(ctx.widget->viewport(), sub.rect, &info);
        if (!editor)
            return false;
        return qtnStartInplaceEdit(editor, ctx.widget);
    };
    return true;
}

bool QtnPropertyDelegateWithValueEditor::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isEditKey(keyEvent);
}

bool QtnPropertyDelegateWithValueEditor::isEditKey(const QKeyEvent* keyEvent)
{
    if (keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    switch (keyEvent->key())
    {
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return true;
    default:
        return false;
    }
}

bool QtnPropertyDelegateWithValueEditor::isTextKey(const QKeyEvent* keyEvent)
{
    if (isEditKey(keyEvent))
        return true;
    if (keyEvent->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    QString text = keyEvent->text();
    return text.size() == 1 && text.at(0).isPrint();
}

void QtnPropertyDelegateWithValueEditor::initLineEdit(QLineEdit* lineEdit, QtnInplaceInfo* inplaceInfo)
{
    if (inplaceInfo && inplaceInfo->activationEvent &&
        inplaceInfo->activationEvent->type() == QEvent::KeyPress)
    {
        auto keyEvent = static_cast<QKeyEvent*>(inplaceInfo->activationEvent);
        QString text = keyEvent->text();
        if (!isEditKey(keyEvent) && text.size() == 1 && text.at(0).isPrint())
        {
            lineEdit->setText(text);
            return;
        }
    }
    lineEdit->selectAll();
}

QtnPropertyDelegateWithValues::QtnPropertyDelegateWithValues(QtnPropertyBase& owner)
    : QtnPropertyDelegateWithValue(owner)
{
}

bool QtnPropertyDelegateWithValues::propertyValueToStrImpl(QString& strValue) const
{
    QStringList parts;
    for (int i = 0; i < subPropertyCount(); ++i)
    {
        QString part;
        if (!subProperty(i)->toStr(part))
            return false;
        parts.append(part);
    }
    strValue = QStringLiteral("[%1]").arg(parts.join(QStringLiteral(", ")));
    return true;
}
