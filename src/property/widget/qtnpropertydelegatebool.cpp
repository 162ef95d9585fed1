#include "property/widget/qtnpropertydelegatebool.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"
#include "property/widget/qtnpropertyview.h"

#include "property/widget/qtncomboboxeditor.h"
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

QtnPropertyDelegateBoolCheck::QtnPropertyDelegateBoolCheck(QtnPropertyBoolBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyBoolBase, QtnPropertyDelegateWithValue>(owner)
{
}

void QtnPropertyDelegateBoolCheck::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyBoolBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateBoolCheck, QtnPropertyBoolBase>,
                                    "CheckBox");
    factory.registerDelegate(&QtnPropertyBoolBase::staticMetaObject,
                             &qtnCreateDelegate<QtnPropertyDelegateBoolCombobox, QtnPropertyBoolBase>, "ComboBox");
}

bool QtnPropertyDelegateBoolCheck::createSubItemValueImpl(QtnDrawContext&, QtnSubItem& subItemValue)
{
    subItemValue.trackState();
    subItemValue.drawHandler = [this](QtnDrawContext& ctx, const QtnSubItem& sub) {
        QStyleOptionButton option;
        option.initFrom(ctx.widget);
        int side = ctx.style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, ctx.widget);
        option.rect = QRect(sub.rect.left() + 4, sub.rect.top() + (sub.rect.height() - side) / 2, side, side);
        option.state = sub.styleState(owner().isEditable());
        option.state |= owner().value() ? QStyle::State_On : QStyle::State_Off;
        ctx.style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, ctx.painter, ctx.widget);
    };
    subItemValue.eventHandler = [this](QtnEventContext& ctx, const QtnSubItem&) -> bool {
        bool toggle = false;
        switch (ctx.eventType())
        {
        case QEvent::MouseButtonPress:
            toggle = true;
            break;
        case QEvent::KeyPress:
        {
            int key = ctx.eventAs<QKeyEvent>()->key();
            toggle = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
            break;
        }
        default:
            break;
        }
        if (!toggle || !owner().isEditableByUser())
            return false;
        owner().setValue(!owner().value());
        ctx.updateWidget();
        return true;
    };
    return true;
}

QtnPropertyDelegateBoolCombobox::QtnPropertyDelegateBoolCombobox(QtnPropertyBoolBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyBoolBase>(owner),
      m_labelFalse(QCoreApplication::translate("QtnPropertyView", "False")),
      m_labelTrue(QCoreApplication::translate("QtnPropertyView", "True"))
{
}

void QtnPropertyDelegateBoolCombobox::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    qtnGetAttribute(attributes, "labelFalse", m_labelFalse);
    qtnGetAttribute(attributes, "labelTrue", m_labelTrue);
}

bool QtnPropertyDelegateBoolCombobox::propertyValueToStrImpl(QString& strValue) const
{
    strValue = label(owner().value());
    return true;
}

QWidget* QtnPropertyDelegateBoolCombobox::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                                QtnInplaceInfo*)
{
    auto comboBox = new QtnComboBoxEditor(parent);
    comboBox->addItem(m_labelFalse, false);
    comboBox->addItem(m_labelTrue, true);
    comboBox->setCurrentIndex(owner().value() ? 1 : 0);
    comboBox->setGeometry(rect);
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *comboBox, [&property, comboBox] {
        property.setValue(comboBox->currentData().toBool());
    });
    return comboBox;
}
