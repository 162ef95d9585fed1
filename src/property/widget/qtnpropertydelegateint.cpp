#include "property/widget/qtnpropertydelegateint.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertydelegateslidebox.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include <QLineEdit>
#include <QSpinBox>

QtnPropertyDelegateInt::QtnPropertyDelegateInt(QtnPropertyIntBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyIntBase>(owner)
{
}

void QtnPropertyDelegateInt::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyIntBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateInt, QtnPropertyIntBase>, "SpinBox");
    factory.registerDelegate(&QtnPropertyIntBase::staticMetaObject,
                             &qtnCreateDelegate<QtnPropertyDelegateSlideBoxTyped<QtnPropertyIntBase>,
                                                QtnPropertyIntBase>,
                             "SliderBox");
}

bool QtnPropertyDelegateInt::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isTextKey(keyEvent);
}

QWidget* QtnPropertyDelegateInt::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                       QtnInplaceInfo* inplaceInfo)
{
    auto spinBox = new QSpinBox(parent);
    spinBox->setGeometry(rect);
    spinBox->setRange(owner().minValue(), owner().maxValue());
    spinBox->setSingleStep(owner().stepValue());
    spinBox->setValue(owner().value());
    spinBox->setKeyboardTracking(false);
    initLineEdit(spinBox->findChild<QLineEdit*>(), inplaceInfo);
    auto& property = owner();
    qint32 initial = spinBox->value();
    new QtnPropertyEditorHandlerBase(property, *spinBox, [&property, spinBox, initial] {
        spinBox->interpretText();
        if (spinBox->value() != initial)
            property.setValue(spinBox->value());
    });
    return spinBox;
}
