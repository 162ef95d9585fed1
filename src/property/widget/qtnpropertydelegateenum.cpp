#include "property/widget/qtnpropertydelegateenum.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include "property/widget/qtncomboboxeditor.h"

QtnPropertyDelegateEnum::QtnPropertyDelegateEnum(QtnPropertyEnumBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyEnumBase>(owner)
{
}

void QtnPropertyDelegateEnum::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyEnumBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateEnum, QtnPropertyEnumBase>, "ComboBox");
}

bool QtnPropertyDelegateEnum::propertyValueToStrImpl(QString& strValue) const
{
    const QtnEnumInfo* info = owner().enumInfo();
    const QtnEnumValueInfo* valueInfo = info ? info->findByValue(owner().value()) : nullptr;
    if (!valueInfo)
        return false;
    strValue = valueInfo->displayName();
    return true;
}

void QtnPropertyDelegateEnum::fillComboBox(QComboBox* comboBox, const QtnEnumInfo& info, QtnEnumValueType current)
{
    info.forEachEnumValue([comboBox, current](const QtnEnumValueInfo& valueInfo) {
        // A hidden value is offered only while it is the one chosen.
        if (!valueInfo.state().testFlag(QtnEnumValueStateHidden) || valueInfo.value() == current)
            comboBox->addItem(valueInfo.displayName(), valueInfo.value());
        return true;
    });
    comboBox->setCurrentIndex(comboBox->findData(current));
}

QWidget* QtnPropertyDelegateEnum::createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo*)
{
    const QtnEnumInfo* info = owner().enumInfo();
    if (!info)
        return nullptr;
    auto comboBox = new QtnComboBoxEditor(parent);
    comboBox->setGeometry(rect);
    fillComboBox(comboBox, *info, owner().value());
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *comboBox, [&property, comboBox] {
        QVariant data = comboBox->currentData();
        if (data.isValid())
            property.setValue(data.toInt());
    });
    return comboBox;
}
