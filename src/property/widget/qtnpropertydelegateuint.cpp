#include "property/widget/qtnpropertydelegateuint.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertydelegateslidebox.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"
#include "property/widget/qtnspinboxunsigned.h"

#include <QLineEdit>

QtnPropertyDelegateUInt::QtnPropertyDelegateUInt(QtnPropertyUIntBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyUIntBase>(owner)
{
}

void QtnPropertyDelegateUInt::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyUIntBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateUInt, QtnPropertyUIntBase>, "SpinBox");
    factory.registerDelegate(&QtnPropertyUIntBase::staticMetaObject,
                             &qtnCreateDelegate<QtnPropertyDelegateSlideBoxTyped<QtnPropertyUIntBase>,
                                                QtnPropertyUIntBase>,
                             "SliderBox");
}

bool QtnPropertyDelegateUInt::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isTextKey(keyEvent);
}

QWidget* QtnPropertyDelegateUInt::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                        QtnInplaceInfo* inplaceInfo)
{
    auto spinBox = new QtnSpinBoxUnsigned(parent);
    spinBox->setGeometry(rect);
    spinBox->setRange(owner().minValue(), owner().maxValue());
    spinBox->setSingleStep(owner().stepValue());
    spinBox->setValue(owner().value());
    initLineEdit(spinBox->findChild<QLineEdit*>(), inplaceInfo);
    auto& property = owner();
    quint32 initial = owner().value();
    new QtnPropertyEditorHandlerBase(property, *spinBox, [&property, spinBox, initial] {
        if (spinBox->value() != initial)
            property.setValue(spinBox->value());
    });
    return spinBox;
}
