#include "property/widget/qtnpropertydelegateenumflags.h"
#include "property/core/qtnpropertybool.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include <QCoreApplication>
#include <QLineEdit>

QtnPropertyDelegateEnumFlags::QtnPropertyDelegateEnumFlags(QtnPropertyEnumFlagsBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyEnumFlagsBase>(owner)
{
    const QtnEnumInfo* info = owner.enumInfo();
    if (!info)
        return;
    QtnPropertyEnumFlagsBase* master = &owner;
    info->forEachEnumValue([this, master](const QtnEnumValueInfo& valueInfo) {
        QtnEnumFlagsValueType flag = valueInfo.value();
        auto flagProperty = new QtnPropertyBoolCallback(nullptr);
        flagProperty->setName(valueInfo.name());
        flagProperty->setDisplayName(valueInfo.displayName());
        flagProperty->setDescription(QCoreApplication::translate("QtnPropertyView", "%1 flag for %2.")
                                         .arg(valueInfo.displayName(), master->name()));
        flagProperty->setCallbackValueGet([master, flag]() -> bool { return (master->value() & flag) == flag; });
        flagProperty->setCallbackValueSet([master, flag](bool on) {
            QtnEnumFlagsValueType flags = master->value();
            master->setValue(on ? (flags | flag) : (flags & ~flag));
        });
        qtnConnectMasterState(*master, *flagProperty);
        addSubProperty(flagProperty);
        return true;
    });
}

void QtnPropertyDelegateEnumFlags::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyEnumFlagsBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateEnumFlags, QtnPropertyEnumFlagsBase>,
                                    "FlagsList");
}

bool QtnPropertyDelegateEnumFlags::propertyValueToStrImpl(QString& strValue) const
{
    const QtnEnumInfo* info = owner().enumInfo();
    if (!info)
        return false;
    QStringList names;
    QtnEnumFlagsValueType flags = owner().value();
    info->forEachEnumValue([&names, flags](const QtnEnumValueInfo& valueInfo) {
        if (valueInfo.value() != 0 && (flags & valueInfo.value()) == valueInfo.value())
            names.append(valueInfo.displayName());
        return true;
    });
    strValue = names.join(QStringLiteral(" | "));
    return true;
}

bool QtnPropertyDelegateEnumFlags::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isEditKey(keyEvent);
}

QWidget* QtnPropertyDelegateEnumFlags::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                             QtnInplaceInfo* inplaceInfo)
{
    QString text;
    if (!owner().toStr(text))
        return nullptr;
    auto lineEdit = new QLineEdit(parent);
    lineEdit->setGeometry(rect);
    lineEdit->setText(text);
    initLineEdit(lineEdit, inplaceInfo);
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *lineEdit, [&property, lineEdit, text] {
        if (lineEdit->text() != text)
            property.fromStr(lineEdit->text());
    });
    return lineEdit;
}
